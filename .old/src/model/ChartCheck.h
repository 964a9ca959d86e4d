#pragma once

#include "model/ChartHeader.h"
#include "model/Finding.h"

#include <QByteArrayView>
#include <QList>
#include <QString>

#include <optional>

namespace ojn {

// What checking one chart file found: a plain value, safe to hand from a
// worker thread to a window.
struct ChartScan {
    QString path;
    qint64 fileSize = -1; // -1 when the file could not be opened
    bool encrypted = false;
    // Absent when the chart cannot be read, or when the file is no chart
    // (see keepHeaderOfChartsOnly); a problem in `findings` then says why.
    // Only a chart with a header is a song: listed, exported, counted
    // among the song IDs.
    std::optional<ChartHeader> header;
    Findings findings;
    bool noteSectionsChecked = false; // the deep check ran

    // Why there is no header, or empty when there is one.
    [[nodiscard]] QString unreadableReason() const;
};

// Drops the header of a file that is no chart: one without the "ojn"
// signature, or whose offsets do not fit its size (the faults for which
// the editor refuses it). Its bytes are no song's, so nothing may list
// it, export it or count its song ID (a web page saved as o2ma7.ojn would
// be song 1836345404). Every finding is kept. The checks below end with it.
void keepHeaderOfChartsOnly(ChartScan &scan);

// The findings a chart's header and size show: the faults for which the
// editor refuses to open it, a missing signature, note sections not at 300
// for Ex, out of order or past the cover, and (as a note) bytes after the
// thumbnail. `plainSize` is the size of the plain chart.
[[nodiscard]] Findings checkChartHeader(const ChartHeader &header, qint64 plainSize);

// A header-level check from as little of the file as it needs: its size,
// its first bytes (up to 300) and, for an encrypted chart only, its last
// bytes (up to 300, never any of the first 7). An encrypted chart's header
// is decrypted in memory; one that does not decrypt to a header with the
// "ojn" signature is unreadable. Leaves `path` empty. The header of a file
// that is no chart is still kept here, for the deep check's walks.
[[nodiscard]] ChartScan scanChartHeader(QByteArrayView firstBytes, QByteArrayView lastBytes, qint64 fileSize);

// How far the deep check needs the plain chart: up to the cover, or to
// the end when the cover offset is not usable.
[[nodiscard]] qint64 noteDataEnd(const ChartHeader &header, qint64 plainSize);

// The whole check of a chart held in memory: the header-level findings,
// then the note sections' package walks; a file that is no chart keeps no
// header.
[[nodiscard]] ChartScan checkChartBytes(QByteArrayView file);

// The readable charts that share a song ID: one group of places in
// `charts` per such ID, in song ID order, each group in the charts' order.
// Sorting once, no container per song, keeps thousands of charts cheap.
[[nodiscard]] QList<QList<qsizetype>> songIdClashes(const QList<ChartScan> &charts);

} // namespace ojn
