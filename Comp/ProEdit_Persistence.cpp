// The typed edit's text kept between runs in an INI file or the current user's registry.
#include <memory>

#include "ProEdit.h"
#include "vcl/IniFiles.h"
#include "vcl/Registry.h"

namespace ProEdit {

namespace {

// "@" stands for a missing entry, so a stored "@" never comes back.
const AnsiString kMissing = "@";

// One read or one write on the store the settings name, opened for it and freed after it. An INI file
// without a name becomes, for good, the program's own path with ".INI".
template <typename Action>
auto UseStore(TPersistence& Settings, Action Use) {
    if (Settings.Location() == plRegistry) {
        const std::unique_ptr<TRegIniFile> store = std::make_unique<TRegIniFile>(Settings.Key());
        return Use(*store);
    }
    if (Settings.Key().empty()) Settings.SetKey(ChangeFileExt(ParamStr(0), ".INI"));
    const std::unique_ptr<TIniFile> store = std::make_unique<TIniFile>(Settings.Key());
    return Use(*store);
}

void PublishTPersistence(TPublisher& p) {
    TPublishOf<TPersistence> P(p);
    P.Bool("Enable", &TPersistence::Enable, &TPersistence::SetEnable);
    P.Str("Key", &TPersistence::Key, &TPersistence::SetKey);
    P.Str("Section", &TPersistence::Section, &TPersistence::SetSection);
    P.Enum<TPersistenceLocation>("Location", &TPersistence::Location, &TPersistence::SetLocation,
                                 {{"plInifile", plInifile}, {"plRegistry", plRegistry}});
}

}  // namespace

VCL_IMPLEMENT_CLASS(TPersistence, nullptr, PublishTPersistence)

// The stored text already holds the prefix and suffix it was saved with; it is shown as it stands.
void TProEdit::LoadPersistence() {
    if (!persistence_->Enable()) return;
    const AnsiString stored = UseStore(
        *persistence_, [&](auto& Store) { return Store.ReadString(persistence_->Section(), Name(), kMissing); });
    if (stored != kMissing) TCustomEdit::SetText(stored.substr(0, stored.find('\0')));
}

void TProEdit::SavePersistence() {
    if (!persistence_->Enable()) return;
    UseStore(*persistence_,
             [&](auto& Store) { Store.WriteString(persistence_->Section(), Name(), prefix_ + Text() + suffix_); });
}

}  // namespace ProEdit
