#pragma once

#include "model/ChartCheck.h"
#include "text/CodePage.h"
#include "folderchecks/FolderChecks.h"
#include "folderchecks/FolderListing.h"

#include <QList>
#include <QStringList>

#include <atomic>
#include <functional>

namespace ojn {

// How a long check reports its progress and learns it should stop. Both
// are looked at on the checking thread, between one file and the next.
struct ScanControl {
    // Set it from any thread to stop before the next file.
    const std::atomic_bool *cancel = nullptr;
    // Called after each file with how many are done of how many.
    std::function<void(qsizetype done, qsizetype total)> progress;

    [[nodiscard]] bool cancelled() const { return cancel && cancel->load(std::memory_order_relaxed); }
};

enum class CheckDepth {
    Header,       // each file's size and first 300 bytes
    NoteSections, // the header, then the note sections' package walks
};

// Checks the charts at `paths`, in order, one file at a time. Cancelled,
// it returns the charts checked so far, still in order. A window checks
// its folder in batches by calling this on slices of the listing from a
// worker thread; the results are plain values, free to hand across.
[[nodiscard]] QList<ChartScan> checkChartFiles(const QStringList &paths, CheckDepth depth, const ScanControl &control = {});

// The headers of the charts at `paths`, in order: each file's size and
// first 300 bytes (an encrypted chart's last 300 too), as checkChartFiles
// reads them at CheckDepth::Header. What plans and exports read, which
// need no note sections: each reads only the charts it works on.
[[nodiscard]] QList<ChartScan> readChartHeaders(const QStringList &paths);

// A whole folder in one call, as a command line wants it.
struct MusicFolderCheck {
    FolderListing listing;
    QList<ChartScan> charts;        // in the listing's order
    QList<Findings> folderFindings; // parallel to `charts`
    bool cancelled = false;
};
[[nodiscard]] MusicFolderCheck checkMusicFolder(const QString &folder, CheckDepth depth, const TextCodec &codec,
                                                const ScanControl &control = {});

} // namespace ojn
