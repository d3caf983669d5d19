#pragma once
// The form-description reader: the classic text form-file syntax
//
//   object ReprocessaSequencial: TReprocessaSequencial
//     Caption = 'Rotina de reprocesso de sequ'#234'ncia'     strings: quotes, #nnn codes, + continues
//     ClientWidth = 474                                       integers
//     Position = poScreenCenter                               identifiers, enumerations, colours
//     Font.Style = [fsBold]                                   dotted names, sets
//     OnClick = btnSairClick                                  handlers of the root's class
//     Items.Strings = ( '00' '01' )                           string lists
//     Glyph.Data = { 0A0B... }                                binary blocks, offered to the object
//     object Panel1: TPanel ... end                           nested objects (parented and owned)
//   end
//
// Components are made by class name from the class registry (TypInfo.h), owned by the root and
// parented to the enclosing object. A binary block for a property the object does not publish goes
// to its ReadBinaryProperty (the DefineProperties-like hook), while the description is read.
// Fields of the root's class named like a component point at it; then Loaded runs on every
// component read. A damaged description raises EReadError naming the problem and the line; the
// components made so far are freed, the root is left as it was given.
#include "Component.h"

#include <string>

namespace ui {

class EReadError : public Exception {
public:
    EReadError(const std::string& message, int line)
        : Exception(message + " (line " + std::to_string(line) + ")"), line_(line) {}
    int Line() const { return line_; }

private:
    int line_;
};

// Reads a description into `root`, whose class name must be the one the description's root object
// names (letter case ignored).
void ReadComponentText(TComponent* root, const std::string& text);
// Reads the description kept in the executable as an RCDATA resource of that name.
void ReadComponentResource(TComponent* root, const std::wstring& resourceName);
// The resource name of a class's description: the class name in upper case.
std::wstring ResourceNameOf(const TComponent* root);

} // namespace ui
