#include "model/Finding.h"

#include <algorithm>

namespace ojn {

Severity severityOf(FindingType type)
{
    switch (type) {
    case FindingType::Encrypted:
    case FindingType::TrailingBytes:
    case FindingType::OjmName:
        return Severity::Note;
    default:
        return Severity::Problem;
    }
}

QString findingTypeKey(FindingType type)
{
    switch (type) {
    case FindingType::Unreadable: return QStringLiteral("unreadable");
    case FindingType::Malformed: return QStringLiteral("malformed");
    case FindingType::NoSignature: return QStringLiteral("no-signature");
    case FindingType::SectionOffsets: return QStringLiteral("section-offsets");
    case FindingType::Encrypted: return QStringLiteral("encrypted");
    case FindingType::TrailingBytes: return QStringLiteral("trailing-bytes");
    case FindingType::NoteSection: return QStringLiteral("note-section");
    case FindingType::DuplicateSongId: return QStringLiteral("duplicate-song-id");
    case FindingType::FileNameSongId: return QStringLiteral("file-name-song-id");
    case FindingType::OjmMissing: return QStringLiteral("ojm-missing");
    case FindingType::OjmName: return QStringLiteral("ojm-name");
    case FindingType::InvalidSongId: return QStringLiteral("invalid-song-id");
    }
    return QStringLiteral("unknown");
}

bool hasProblem(const Findings &findings)
{
    return std::any_of(findings.begin(), findings.end(), [](const Finding &f) { return f.isProblem(); });
}

QString findingLines(const Findings &findings)
{
    QStringList lines;
    for (const Finding &finding : findings)
        lines << (finding.isProblem() ? QStringLiteral("Problem: ") : QStringLiteral("Note: ")) + finding.text;
    return lines.join(QLatin1Char('\n'));
}

} // namespace ojn
