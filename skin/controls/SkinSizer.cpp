// Size boxes and size grips: painted flat in the skin's face colour.
#include "skin/controls/SkinScrollbar.h"


namespace skin {

bool TSkinSizer::BeforeMessage(ui::TMessage& message)
{
    return !AnswerPaintMessages(message);
}

void TSkinSizer::DrawSkin(HDC dc, const ui::TRect& rect)
{
    if (dc)
        FillBackground(dc, rect);
}

} // namespace skin
