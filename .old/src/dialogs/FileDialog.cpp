#include "dialogs/FileDialog.h"

namespace ojn {

void FileDialog::show(FileDialogMode mode)
{
    FileName = m_dialogs.askFileName(m_owner, mode, FileName, Filter);
}

} // namespace ojn
