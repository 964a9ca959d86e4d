// The About box: BtnAbout and Help > About.
#include "editor/Form1.h"

#include "about/frmAbout.h"

namespace ojn {

void Form1::showAbout()
{
    auto *about = new frmAbout(this);
    m_dialogs.showModal(*about);
}

} // namespace ojn
