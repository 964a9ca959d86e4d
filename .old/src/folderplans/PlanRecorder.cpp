#include "folderplans/PlanRecorder.h"

#include <QFileInfo>

namespace ojn {
namespace {

std::optional<QByteArray> contentOf(const QString &path)
{
    Result<QByteArray> read = readWholeFile(path);
    return read.ok() ? std::optional<QByteArray>(std::move(read.value())) : std::nullopt;
}

} // namespace

void PlanRecorder::before(const PlanStep &step)
{
    m_fromThere = !step.from.isEmpty() && QFileInfo::exists(step.from);
    m_toThere = !step.to.isEmpty() && QFileInfo::exists(step.to);
    m_before.reset();
    switch (step.kind) {
    case StepKind::Copy:
    case StepKind::Link:
    case StepKind::Rename:
        break;
    case StepKind::Write:
        m_before = contentOf(step.from);
        break;
    case StepKind::Remove:
        // A removal that ends a copy is a move; only a lone one keeps the bytes.
        if (m_fromThere && !(m_copies.contains(step.to) && m_entries[m_copies[step.to]].change.pathBefore() == step.from))
            m_before = contentOf(step.from);
        break;
    case StepKind::ListUpdate:
        m_before = contentOf(step.to);
        break;
    }
}

void PlanRecorder::after(const PlanStep &step)
{
    switch (step.kind) {
    case StepKind::Copy:
    case StepKind::Link:
        if (!m_toThere) {
            if (const std::optional<QByteArray> content = contentOf(step.to)) {
                m_copies.insert(step.to, m_entries.size());
                add(step.chart, FileChange::copy(step.from, step.to, *content));
            }
        }
        break;
    case StepKind::Write:
        if (!m_before)
            break;
        if (const std::optional<QByteArray> written = contentOf(step.to)) {
            if (!step.inPlace) {
                if (m_toThere)
                    break; // an earlier run wrote it
                m_copies.insert(step.to, m_entries.size());
                add(step.chart, FileChange::copy(step.from, step.to, *m_before));
            }
            add(step.chart, FileChange::edit(step.to, *m_before, *written));
        }
        break;
    case StepKind::Rename:
        if (!m_fromThere)
            break;
        if (const std::optional<QByteArray> content = contentOf(step.to)) {
            // With the new name there already, the step only removed the old one.
            add(step.chart, m_toThere ? FileChange::remove(step.from, *content) : FileChange::rename(step.from, step.to, *content));
        }
        break;
    case StepKind::Remove:
        if (!m_fromThere)
            break;
        if (const auto copy = m_copies.constFind(step.to);
            copy != m_copies.cend() && m_entries[*copy].change.pathBefore() == step.from) {
            m_entries[*copy].change = m_entries[*copy].change.asRename();
            m_copies.erase(copy);
        } else if (m_before) {
            add(step.chart, FileChange::remove(step.from, *m_before));
        }
        break;
    case StepKind::ListUpdate:
        if (m_before) {
            if (const std::optional<QByteArray> written = contentOf(step.to))
                add(step.chart, FileChange::edit(step.to, *m_before, *written));
        }
        break;
    }
    m_before.reset();
}

void PlanRecorder::takenBack(int chart, const QStringList &removed)
{
    m_entries.removeIf([&](const Entry &entry) { return entry.chart == chart && removed.contains(entry.change.pathAfter()); });
    // The copies' places moved with the removal.
    m_copies.clear();
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].change.kind() == FileChange::Kind::Copy)
            m_copies.insert(m_entries[i].change.pathAfter(), i);
    }
}

void PlanRecorder::add(int chart, FileChange change)
{
    if (!change.isEmpty())
        m_entries.append({chart, std::move(change)});
}

QList<FileChange> PlanRecorder::changes() const
{
    QList<FileChange> changes;
    changes.reserve(m_entries.size());
    for (const Entry &entry : m_entries)
        changes << entry.change;
    return changes;
}

} // namespace ojn
