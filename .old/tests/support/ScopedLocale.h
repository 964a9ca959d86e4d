#pragma once

#include <QLocale>

namespace ojn::test {

// Makes `locale` the default for the scope (the main window takes its code
// page and number forms from it when it is built) and puts the old one back.
class ScopedLocale {
public:
    explicit ScopedLocale(const QLocale &locale) { QLocale::setDefault(locale); }
    ~ScopedLocale() { QLocale::setDefault(m_previous); }
    ScopedLocale(const ScopedLocale &) = delete;
    ScopedLocale &operator=(const ScopedLocale &) = delete;

private:
    QLocale m_previous;
};

} // namespace ojn::test
