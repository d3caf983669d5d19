#include "ui/CommonControls.h"

namespace ui {

void InitCommonControlClasses(DWORD classes)
{
    static DWORD registered = 0;
    if ((registered & classes) == classes)
        return;
    INITCOMMONCONTROLSEX icc{sizeof(icc), classes};
    if (InitCommonControlsEx(&icc))
        registered |= classes;
}

} // namespace ui
