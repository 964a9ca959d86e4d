#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace ojn {

// The open chart as the editor holds it. Texts stay the raw bytes of their
// slots (up to the first zero, at most 32 bytes) so that an unedited text
// goes back to the file exactly as it came. The picture offset and sizes
// are not kept: they are recomputed from the buffers on every save.
struct ChartRecord {
    QString ChartPath;

    qint32 SongID = 0;
    QByteArray Title;
    QByteArray Artist;
    QByteArray Pattern;
    QByteArray OJMFile;
    qint16 Genre = 0;
    float BPM = 0.0f;
    qint16 LevelEx = 0;
    qint16 LevelNx = 0;
    qint16 LevelHx = 0;
    qint32 NoteCountEx = 0;
    qint32 NoteCountNx = 0;
    qint32 NoteCountHx = 0;

    // Everything ahead of the cover: the header and the note data.
    QByteArray ChartBodyData;
    // The cover (a JPEG in a well-formed chart) and the thumbnail (a BMP).
    QByteArray FullImageData;
    QByteArray SmallFrameData;
};

} // namespace ojn
