// Arbitrary bytes read as a binary component stream: the reading gives a component or raises
// EReadError, and a failed reading leaves no component behind.
#include <cstdint>
#include <cstdlib>

#include "support/PublishedFuzzClasses.h"
#include "vcl/Classes.h"

namespace {

int gLive = 0;

class TFuzzNode : public fuzzclasses::TFuzzValues {
    VCL_CLASS(TFuzzNode, fuzzclasses::TFuzzValues)
    explicit TFuzzNode(TComponent* AOwner) : TFuzzValues(AOwner) { ++gLive; }
    ~TFuzzNode() override { --gLive; }

    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override { return parent_; }
    void SetParentComponent(TComponent* Value) override { parent_ = Value; }

private:
    TComponent* parent_ = nullptr;
};
VCL_IMPLEMENT_CLASS(TFuzzNode, VCL_CREATOR(TFuzzNode), nullptr)

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool registered = (RegisterClass(TFuzzNode::ClassInfo()), true);
    (void)registered;
    TMemoryStream stream;
    stream.WriteBuffer(data, static_cast<Integer>(size));
    stream.SetPosition(0);
    try {
        TComponent* read = stream.ReadComponent(nullptr);
        if (!read) std::abort();
        read->Free();
    } catch (const EReadError&) {
        // the one failure a stream may cause
    }
    if (gLive != 0) std::abort();
    return 0;
}
