// Published properties by name, for any control class: missing properties read as empty and are
// never written.
#include "skin/controls/WinSubClass.h"

#include "ui/TypInfo.h"

#include <algorithm>
#include <cctype>

namespace skin {

int GetIntProp(ui::TObject* object, const std::string& name)
{
    if (ui::PropType(object, name) != ui::tkInteger)
        return 0;
    try {
        return static_cast<int>(ui::GetOrdProp(object, name));
    } catch (...) {
        return 0;
    }
}

std::string GetEnumPropName(ui::TObject* object, const std::string& name)
{
    if (ui::PropType(object, name) != ui::tkEnumeration)
        return {};
    try {
        return ui::GetEnumProp(object, name);
    } catch (...) {
        return {};
    }
}

std::wstring GetWideStrProp(ui::TObject* object, const std::string& name)
{
    const ui::TTypeKind kind = ui::PropType(object, name);
    if (kind != ui::tkWString && kind != ui::tkString)
        return {};
    try {
        return ui::GetWideStrProp(object, name);
    } catch (...) {
        return {};
    }
}

ui::TObject* GetObjectPropOf(ui::TObject* object, const std::string& name, const std::string& className)
{
    if (ui::PropType(object, name) != ui::tkClass)
        return nullptr;
    try {
        return ui::GetObjectProp(object, name, className);
    } catch (...) {
        return nullptr;
    }
}

void SetPropByText(ui::TObject* object, const std::string& name, const std::string& value)
{
    try {
        switch (ui::PropType(object, name)) {
        case ui::tkEnumeration:
            ui::SetEnumProp(object, name, value);
            break;
        case ui::tkInteger:
            ui::SetOrdProp(object, name, std::stoll(value));
            break;
        default:
            break;
        }
    } catch (...) {
        // A value the property does not take leaves it as it was.
    }
}

bool PropIsTrue(ui::TObject* object, const std::string& name)
{
    std::string value = GetEnumPropName(object, name);
    std::transform(value.begin(), value.end(), value.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return value == "true";
}

} // namespace skin
