#pragma once
// Setting one published property by its (dotted) name while reading a form description, and the
// published values of an object as a writer walks them.
#include <string>
#include <utility>
#include <vector>

#include "vcl/Classes.h"

// A property inside a nested value (a collection item's) failed; the reader adds where the value stood.
class EPropertyPathError : public EReadError {
public:
    EPropertyPathError(std::string path, std::string reason, int line)
        : EReadError(reason), Path(std::move(path)), Reason(std::move(reason)), Line(line) {}
    std::string Path;  // below the property being read: "[0].Width"
    std::string Reason;
    int Line;
};

// Path is Prop or Sub.Prop (Font.Height): each step before the last must be an object property.
// Raises EReadError "Property X does not exist" for unknown names; the property's own errors pass through.
void SetPublishedProperty(TObject& Instance, const std::string& Path, const TFormValue& Value, TReadContext& Context);

// Every published value of Instance in table order, ancestors first; an object property's values
// follow under Prop.Sub names. Properties with no way to read them back (events, references) are left out.
std::vector<std::pair<std::string, TFormValue>> PublishedValues(TObject& Instance);
