// Writing components in the binary form: one walk over the published tables, values in their
// smallest form.
#include <cstring>

#include "Classes/ComponentStreamFormat.h"
#include "Classes/FormReaderProperties.h"
#include "vcl/ScopeGuard.h"

VCL_IMPLEMENT_CLASS(TWriter, nullptr, nullptr)

namespace {

class TValueWriter {
public:
    explicit TValueWriter(std::string& Out) : out_(Out) {}

    void Byte(std::uint8_t Value) { out_ += static_cast<char>(Value); }

    void LittleEndian(std::uint64_t Value, int Bytes) {
        for (int i = 0; i < Bytes; ++i) Byte(static_cast<std::uint8_t>(Value >> (8 * i)));
    }

    // Names: a length byte and the characters.
    void ShortString(const std::string& Text) {
        if (Text.size() > 255) throw EWriteError("Name too long: " + Text.substr(0, 32) + "...");
        Byte(static_cast<std::uint8_t>(Text.size()));
        out_ += Text;
    }

    void IntegerValue(Int64 Value) {
        if (Value >= INT8_MIN && Value <= INT8_MAX) return Typed(vtInt8, Value, 1);
        if (Value >= INT16_MIN && Value <= INT16_MAX) return Typed(vtInt16, Value, 2);
        if (Value >= INT32_MIN && Value <= INT32_MAX) return Typed(vtInt32, Value, 4);
        Typed(vtInt64, Value, 8);
    }

    void Counted(TValueType Type, const std::string& Bytes) {
        if (Bytes.size() > INT32_MAX) throw EWriteError("Stream write error");
        Byte(Type);
        LittleEndian(Bytes.size(), 4);
        out_ += Bytes;
    }

    // UTF-16 units, low byte first.
    void WideValue(const WideString& Text) {
        Byte(vtWString);
        LittleEndian(Text.size(), 4);
        for (WideChar unit : Text) LittleEndian(unit, 2);
    }

    // Empty strings and nil are left out; the caller asks first.
    static bool Omitted(const TFormValue& Value) {
        return Value.Kind == TFormValue::vaNil || (Value.Kind == TFormValue::vaString && Value.Str.empty());
    }

    void Value(const TFormValue& Value) {
        switch (Value.Kind) {
            case TFormValue::vaInt: return IntegerValue(Value.Int);
            case TFormValue::vaFloat: {
                Byte(vtExtended);
                for (std::uint8_t b : ExtendedFromDouble(Value.Float)) Byte(b);
                return;
            }
            case TFormValue::vaString:
                if (!Value.Wide.empty()) return WideValue(Value.Wide);
                if (Value.Str.size() <= 255) {
                    Byte(vtString);
                    return ShortString(Value.Str);
                }
                return Counted(vtLString, Value.Str);
            case TFormValue::vaIdent: Byte(vtIdent); return ShortString(Value.Str);
            case TFormValue::vaFalse: return Byte(vtFalse);
            case TFormValue::vaTrue: return Byte(vtTrue);
            case TFormValue::vaNil: return Byte(vtNil);
            case TFormValue::vaBinary: return Counted(vtBinary, Value.Str);
            case TFormValue::vaSet:
                Byte(vtSet);
                for (const std::string& member : Value.Set) ShortString(member);
                return ShortString("");
            case TFormValue::vaList:
                Byte(vtList);
                for (const TFormValue& item : Value.List) this->Value(item);
                return Byte(vtNull);
            case TFormValue::vaCollection:
                Byte(vtCollection);
                for (const TFormValue::TItem& item : Value.Items) {
                    Byte(vtList);
                    Properties(item);
                }
                return Byte(vtNull);
        }
    }

    // Name and value of each, then the end of the list.
    void Properties(const std::vector<std::pair<std::string, TFormValue>>& Values) {
        for (const auto& [name, value] : Values) {
            if (Omitted(value)) continue;
            ShortString(name);
            Value(value);
        }
        Byte(vtNull);
    }

private:
    void Typed(TValueType Type, Int64 Value, int Bytes) {
        Byte(Type);
        LittleEndian(static_cast<std::uint64_t>(Value), Bytes);
    }

    std::string& out_;
};

// The components Root owns that stand inside Component: its parent component's children, or the
// root's own when they have no parent.
std::vector<TComponent*> ChildrenOf(TComponent& Component, TComponent& Root) {
    std::vector<TComponent*> children;
    for (Integer i = 0; i < Root.ComponentCount(); ++i) {
        TComponent* c = Root.Components(i);
        if (c->HasParent() ? c->GetParentComponent() == &Component : &Component == &Root) children.push_back(c);
    }
    return children;
}

}  // namespace

TWriter::TWriter(TStream* Stream, Integer BufSize)
    : stream_(Stream), bufSize_(BufSize > 0 ? static_cast<std::size_t>(BufSize) : 1) {
    if (!Stream) throw EWriteError("No stream to write to");
}

TWriter::~TWriter() {
    try {
        FlushBuffer();
    } catch (...) {
        // A destructor must not throw; a writer whose stream failed has already reported it.
    }
}

void TWriter::FlushBuffer() {
    if (buffer_.empty()) return;
    std::string pending;
    pending.swap(buffer_);
    stream_->WriteBuffer(pending.data(), static_cast<Integer>(pending.size()));
}

void TWriter::WriteSignature() {
    buffer_.append(kComponentSignature, sizeof kComponentSignature);
    if (buffer_.size() >= bufSize_) FlushBuffer();
}

void TWriter::WriteComponent(TComponent* Component) {
    if (!Component) throw EWriteError("No component to write");
    Component->SetComponentStateItem(csWriting, true);
    const TScopeExit writing([Component] { Component->SetComponentStateItem(csWriting, false); });
    WriteObject(*Component, *Component);
}

void TWriter::WriteRootComponent(TComponent* Root) {
    WriteSignature();
    WriteComponent(Root);
    FlushBuffer();
}

void TWriter::WriteObject(TComponent& Component, TComponent& Root) {
    TValueWriter out(buffer_);
    out.ShortString(Component.ClassName());
    out.ShortString(Component.Name());
    out.Properties(PublishedValues(Component));
    for (TComponent* child : ChildrenOf(Component, Root)) WriteObject(*child, Root);
    out.Byte(vtNull);
    if (buffer_.size() >= bufSize_) FlushBuffer();
}

void TStream::WriteComponent(TComponent* Instance) { TWriter(this, 4096).WriteRootComponent(Instance); }
