#pragma once

#include <QString>

namespace ojn {

// The result of an operation that can fail: success, or a message that
// tells the user what went wrong in plain words.
class [[nodiscard]] Outcome {
public:
    static Outcome success() { return Outcome(QString()); }
    static Outcome failure(const QString &message) { return Outcome(message.isEmpty() ? QStringLiteral("Unknown error.") : message); }

    bool ok() const { return m_error.isEmpty(); }
    const QString &error() const { return m_error; }

private:
    explicit Outcome(QString error) : m_error(std::move(error)) {}
    QString m_error;
};

} // namespace ojn
