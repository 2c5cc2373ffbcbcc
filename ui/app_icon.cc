#include "ui/app_icon.h"

#include "ui/resources/trelvan-16.xpm"
#include "ui/resources/trelvan-32.xpm"

namespace trelvan {

wxIcon AppIcon(int size) { return wxIcon(size == 16 ? trelvan_16_xpm : trelvan_32_xpm); }

}  // namespace trelvan
