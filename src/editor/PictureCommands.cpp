// Replacing, viewing and extracting the cover and the thumbnail.
#include "editor/Form1.h"

namespace ojn {

void Form1::changeFullImage()
{
}

void Form1::changeSmallFrame()
{
}

void Form1::viewFullImage()
{
}

void Form1::viewSmallFrame()
{
}

void Form1::extractFullImage()
{
}

void Form1::extractSmallFrame()
{
}

} // namespace ojn
