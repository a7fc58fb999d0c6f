#pragma once
// The text of a form description as a tree: objects with their property lines and children.
#include <string>
#include <string_view>
#include <vector>

#include "vcl/Classes.h"

struct TFormProperty {
    std::string Name;  // may be dotted: Font.Height
    TFormValue Value;
    int Line = 0;
};

struct TFormObject {
    enum TKind { okObject, okInherited, okInline };
    TKind Kind = okObject;
    std::string Name;  // empty for an unnamed object
    std::string ClassName;
    int Line = 0;
    std::vector<TFormProperty> Properties;
    std::vector<TFormObject> Children;
};

// One object and everything inside it; EParserError "X expected on line N" on malformed text.
TFormObject ParseFormText(std::string_view Text);
// Reads a description, parsed from text or from the binary form, into Root as ReadComponentFromText does.
void ReadFormObject(const TFormObject& Top, TComponent* Root);
