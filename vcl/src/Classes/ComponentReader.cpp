// Reading components in the binary form: the bytes become the same tree a text description parses
// into, and the form reader sets it on the published tables. Every length is checked against the
// bytes left before anything is allocated.
#include <cstring>

#include "Classes/ComponentStreamFormat.h"
#include "Classes/FormParser.h"
#include "System/Codepage.h"

VCL_IMPLEMENT_CLASS(TReader, nullptr, nullptr)

namespace {

// Nesting of objects and values together; no stream we write comes near it.
constexpr int kMaxDepth = 64;

[[noreturn]] void Invalid() { throw EReadError("Invalid stream format"); }

class TValueReader {
public:
    explicit TValueReader(TStream& Stream) : stream_(Stream), left_(Stream.Size() - Stream.Position()) {}

    void Bytes(void* Buffer, Int64 Count) {
        if (Count < 0 || Count > left_) Invalid();
        if (Count) stream_.ReadBuffer(Buffer, static_cast<Integer>(Count));
        left_ -= Count;
    }

    std::string Block(Int64 Count) {
        if (Count < 0 || Count > left_) Invalid();
        std::string bytes(static_cast<std::size_t>(Count), '\0');
        Bytes(bytes.data(), Count);
        return bytes;
    }

    std::uint8_t Byte() {
        std::uint8_t b;
        Bytes(&b, 1);
        return b;
    }

    std::uint64_t LittleEndian(int Count) {
        std::uint8_t bytes[8];
        Bytes(bytes, Count);
        std::uint64_t value = 0;
        for (int i = 0; i < Count; ++i) value |= std::uint64_t{bytes[i]} << (8 * i);
        return value;
    }

    Int64 Length() {
        const auto length = static_cast<std::int32_t>(LittleEndian(4));
        if (length < 0) Invalid();
        return length;
    }

    std::string ShortString() { return Block(Byte()); }

    // An integer of the given type, as the item order of a collection or a value.
    Int64 IntegerOf(std::uint8_t Type) {
        switch (Type) {
            case vtInt8: return static_cast<std::int8_t>(LittleEndian(1));
            case vtInt16: return static_cast<std::int16_t>(LittleEndian(2));
            case vtInt32: return static_cast<std::int32_t>(LittleEndian(4));
            case vtInt64: return static_cast<Int64>(LittleEndian(8));
            default: Invalid();
        }
    }

    TFormValue Value(int Depth) { return Value(Byte(), Depth); }

    TFormValue Value(std::uint8_t Type, int Depth) {
        if (Depth > kMaxDepth) Invalid();
        TFormValue v;
        switch (Type) {
            case vtInt8:
            case vtInt16:
            case vtInt32:
            case vtInt64: return FormInt(IntegerOf(Type));
            case vtExtended: {
                std::array<std::uint8_t, 10> bytes;
                Bytes(bytes.data(), 10);
                return Float(DoubleFromExtended(bytes));
            }
            case vtSingle: {
                const auto bits = static_cast<std::uint32_t>(LittleEndian(4));
                float f;
                std::memcpy(&f, &bits, sizeof f);
                return Float(f);
            }
            case vtDate: {
                const std::uint64_t bits = LittleEndian(8);
                double d;
                std::memcpy(&d, &bits, sizeof d);
                return Float(d);
            }
            case vtCurrency: return Float(static_cast<double>(static_cast<Int64>(LittleEndian(8))) / 10000.0);
            case vtString: return FormString(ShortString());
            case vtLString: return FormString(Block(Length()));
            case vtUTF8String: return FormString(codepage::Utf8ToAnsi(Block(Length())));
            case vtWString: {
                const std::string bytes = Block(Length() * 2);
                std::u16string wide(bytes.size() / 2, u'\0');
                for (std::size_t i = 0; i < wide.size(); ++i)
                    wide[i] = static_cast<char16_t>(static_cast<std::uint8_t>(bytes[2 * i]) |
                                                    (static_cast<std::uint8_t>(bytes[2 * i + 1]) << 8));
                return FormWideString(wide);
            }
            case vtIdent: return FormIdent(ShortString());
            case vtFalse: return FormBool(false);
            case vtTrue: return FormBool(true);
            case vtNil: return v;
            case vtBinary:
                v.Kind = TFormValue::vaBinary;
                v.Str = Block(Length());
                return v;
            case vtSet:
                v.Kind = TFormValue::vaSet;
                for (std::string member = ShortString(); !member.empty(); member = ShortString())
                    v.Set.push_back(std::move(member));
                return v;
            case vtList:
                v.Kind = TFormValue::vaList;
                for (std::uint8_t t = Byte(); t != vtNull; t = Byte()) v.List.push_back(Value(t, Depth + 1));
                return v;
            case vtCollection:
                v.Kind = TFormValue::vaCollection;
                for (std::uint8_t t = Byte(); t != vtNull; t = Byte()) {
                    if (t != vtList) {  // an item's order: not needed here
                        IntegerOf(t);
                        t = Byte();
                    }
                    if (t != vtList) Invalid();
                    v.Items.emplace_back();
                    for (std::string name = ShortString(); !name.empty(); name = ShortString())
                        v.Items.back().emplace_back(std::move(name), Value(Depth + 1));
                }
                return v;
            default: Invalid();
        }
    }

    TFormObject Object(int Depth) {
        if (Depth > kMaxDepth) Invalid();
        TFormObject object;
        std::uint8_t first = Byte();
        if ((first & kFilerFlagsMask) == kFilerFlagsMask) {
            if (first & kFilerChildPos) IntegerOf(Byte());  // creation order: not needed here
            object.Kind = (first & kFilerInline)      ? TFormObject::okInline
                          : (first & kFilerInherited) ? TFormObject::okInherited
                                                      : TFormObject::okObject;
            first = Byte();
        }
        object.ClassName = Block(first);
        object.Name = ShortString();
        if (object.ClassName.empty()) Invalid();
        for (std::string name = ShortString(); !name.empty(); name = ShortString())
            object.Properties.push_back({std::move(name), Value(Depth + 1), 0});
        for (std::uint8_t b = PeekedByte(); b != vtNull; b = PeekedByte()) object.Children.push_back(Object(Depth + 1));
        Byte();  // the end of the children
        return object;
    }

private:
    static TFormValue Float(double Value) {
        TFormValue v;
        v.Kind = TFormValue::vaFloat;
        v.Float = Value;
        return v;
    }

    // The next byte, left in the stream.
    std::uint8_t PeekedByte() {
        const std::uint8_t b = Byte();
        stream_.Seek(-1, soFromCurrent);
        ++left_;
        return b;
    }

    TStream& stream_;
    Int64 left_;
};

}  // namespace

TReader::TReader(TStream* Stream, Integer /*BufSize*/) : stream_(Stream) {
    if (!Stream) throw EReadError("No stream to read from");
}

void TReader::ReadSignature() {
    char signature[sizeof kComponentSignature];
    TValueReader(*stream_).Bytes(signature, sizeof signature);
    if (std::memcmp(signature, kComponentSignature, sizeof signature) != 0) Invalid();
}

TComponent* TReader::ReadRootComponent(TComponent* Root) {
    ReadSignature();
    const TFormObject top = TValueReader(*stream_).Object(0);
    if (Root) {
        ReadFormObject(top, Root);
        return Root;
    }
    TClass cls = GetClass(top.ClassName);
    if (!cls) throw EReadError("Class " + top.ClassName + " not found");
    if (!cls->Create) throw EReadError("Class " + top.ClassName + " cannot be created");
    TOwned<TComponent> created;
    try {
        created.reset(cls->Create(nullptr));
    } catch (const Exception& e) {
        throw EReadError("Class " + top.ClassName + " cannot be created: " + e.Message());
    }
    if (!created) throw EReadError("Class " + top.ClassName + " cannot be created");
    ReadFormObject(top, created.get());
    return created.release();
}

TComponent* TStream::ReadComponent(TComponent* Instance) { return TReader(this, 4096).ReadRootComponent(Instance); }
