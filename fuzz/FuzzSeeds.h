#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace ojn::fuzz {

struct Seed {
    QString name;
    QByteArray bytes;
};

// Charts made with the test fixture builder: valid ones, and truncated,
// overflowing, negative and encrypted ones.
[[nodiscard]] QList<Seed> seedCharts();

} // namespace ojn::fuzz
