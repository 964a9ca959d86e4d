#include "FuzzSeeds.h"

#include "support/ChartBuilder.h"
#include "support/TestPictures.h"

#include <limits>

namespace ojn::fuzz {

using test::ChartBuilder;

QList<Seed> seedCharts()
{
    constexpr qint32 max32 = std::numeric_limits<qint32>::max();
    constexpr qint32 min32 = std::numeric_limits<qint32>::min();
    const QByteArray valid = ChartBuilder().build();
    const qint32 coverOffset = 300 + 120; // the builder's default note data
    const qint32 coverSize = qint32(test::tinyJpeg().size());

    QList<Seed> seeds{
        {"valid", valid},
        {"valid-trailing-bytes", ChartBuilder().trailing("after the thumbnail").build()},
        {"valid-no-pictures", ChartBuilder().cover({}).thumbnail({}).build()},
        {"valid-no-note-data", ChartBuilder().noteData({}).build()},
        {"valid-full-texts", ChartBuilder().titleBytes(QByteArray(64, 'T')).artistBytes(QByteArray(32, 'A'))
                                 .patternBytes(QByteArray(32, 'P')).ojmBytes(QByteArray(32, 'O')).build()},
        {"valid-text-leftovers", ChartBuilder().titleBytes(QByteArray("Hi\0old title", 12)).ojmBytes(QByteArray("a\0b", 3)).build()},
        {"valid-odd-numbers", ChartBuilder().genre(-7).bpm(std::numeric_limits<float>::quiet_NaN()).levels(-32768, 0, 32767)
                                  .songId(min32).build()},
        {"valid-signalling-nan-bpm", ChartBuilder().putInt32(16, 0x7f800001).build()},
        {"truncated-empty", QByteArray()},
        {"truncated-2", valid.left(2)},
        {"truncated-in-header", valid.left(150)},
        {"truncated-299", valid.left(299)},
        {"truncated-in-notes", valid.left(coverOffset - 10)},
        {"truncated-in-cover", valid.left(coverOffset + coverSize / 2)},
        {"truncated-in-thumbnail", valid.left(valid.size() - 1)},
        {"overflowing-offset", ChartBuilder().rawCoverOffset(max32).build()},
        {"overflowing-offset-plus-size", ChartBuilder().rawCoverOffset(max32 - 10).rawCoverSize(100).build()},
        {"overflowing-cover-size", ChartBuilder().rawCoverSize(max32).build()},
        {"overflowing-thumbnail-size", ChartBuilder().rawThumbnailSize(max32).build()},
        {"negative-offset", ChartBuilder().rawCoverOffset(-1).build()},
        {"negative-cover-size", ChartBuilder().rawCoverSize(-5).build()},
        {"negative-thumbnail-size", ChartBuilder().rawThumbnailSize(min32).build()},
        {"cover-inside-header", ChartBuilder().rawCoverOffset(200).build()},
        {"encrypted", ChartBuilder().putBytes(0, "new").build()},
        {"encrypted-only-marker", QByteArray("new")},
        {"not-encrypted-New", ChartBuilder().putBytes(0, "New").build()},
    };
    return seeds;
}

} // namespace ojn::fuzz
