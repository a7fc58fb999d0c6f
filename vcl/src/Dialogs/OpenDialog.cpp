// TOpenDialog: the filter, the default extension and the chosen files; the dialog itself is the windowing
// system's, or the test seam's prepared answer.
#include <deque>

#include "Dialogs/NativeOpenDialog.h"
#include "vcl/Dialogs.h"
#include "vcl/SysUtils.h"

namespace {

struct TOpenRecording {
    bool On = false;
    std::deque<TOpenDialogAnswer> Answers;
    std::vector<Testing::TRecordedOpenDialog> Dialogs;
};

TOpenRecording& OpenRecording() {
    static TOpenRecording recording;
    return recording;
}

TOpenDialogAnswer NextPreparedAnswer() {
    auto& answers = OpenRecording().Answers;
    if (answers.empty()) return {};
    TOpenDialogAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

void PublishTOpenDialog(TPublisher& p) {
    TPublishOf<TOpenDialog> P(p);
    P.Str("FileName", &TOpenDialog::FileName, &TOpenDialog::SetFileName);
    P.Str("InitialDir", &TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir);
    P.Str("Filter", &TOpenDialog::Filter, &TOpenDialog::SetFilter);
    P.Int("FilterIndex", &TOpenDialog::FilterIndex, &TOpenDialog::SetFilterIndex);
    P.Str("DefaultExt", &TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt);
    P.Str("Title", &TOpenDialog::Title, &TOpenDialog::SetTitle);
    P.Set<TOpenOption>("Options", &TOpenDialog::Options, &TOpenDialog::SetOptions,
                       {{"ofReadOnly", ofReadOnly},
                        {"ofOverwritePrompt", ofOverwritePrompt},
                        {"ofHideReadOnly", ofHideReadOnly},
                        {"ofNoChangeDir", ofNoChangeDir},
                        {"ofShowHelp", ofShowHelp},
                        {"ofNoValidate", ofNoValidate},
                        {"ofAllowMultiSelect", ofAllowMultiSelect},
                        {"ofExtensionDifferent", ofExtensionDifferent},
                        {"ofPathMustExist", ofPathMustExist},
                        {"ofFileMustExist", ofFileMustExist},
                        {"ofCreatePrompt", ofCreatePrompt},
                        {"ofShareAware", ofShareAware},
                        {"ofNoReadOnlyReturn", ofNoReadOnlyReturn},
                        {"ofNoTestFileCreate", ofNoTestFileCreate},
                        {"ofNoNetworkButton", ofNoNetworkButton},
                        {"ofNoLongNames", ofNoLongNames},
                        {"ofOldStyleDialog", ofOldStyleDialog},
                        {"ofNoDereferenceLinks", ofNoDereferenceLinks},
                        {"ofEnableIncludeNotify", ofEnableIncludeNotify},
                        {"ofEnableSizing", ofEnableSizing},
                        {"ofDontAddToRecent", ofDontAddToRecent},
                        {"ofForceShowHidden", ofForceShowHidden}});
}

}  // namespace

std::vector<TFileFilter> ParseFileFilter(const AnsiString& Filter) {
    std::vector<AnsiString> parts;
    std::size_t start = 0;
    while (start <= Filter.size()) {
        std::size_t bar = Filter.find('|', start);
        if (bar == AnsiString::npos) bar = Filter.size();
        parts.push_back(Filter.substr(start, bar - start));
        start = bar + 1;
    }
    std::vector<TFileFilter> filters;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2)
        if (!Trim(parts[i + 1]).empty()) filters.push_back({parts[i], Trim(parts[i + 1])});
    return filters;
}

VCL_IMPLEMENT_CLASS(TCommonDialog, nullptr, nullptr)
VCL_IMPLEMENT_CLASS(TOpenDialog, VCL_CREATOR(TOpenDialog), &PublishTOpenDialog)

TOpenDialog::TOpenDialog(TComponent* AOwner) : TCommonDialog(AOwner), files_(std::make_unique<TStringList>()) {}

TOpenDialog::~TOpenDialog() = default;

TStrings* TOpenDialog::Files() const { return files_.get(); }

AnsiString TOpenDialog::WithDefaultExt(const AnsiString& Name) const {
    if (defaultExt_.empty() || !ExtractFileExt(Name).empty()) return Name;
    return Name + "." + defaultExt_;
}

bool TOpenDialog::Execute() {
    Testing::TRecordedOpenDialog request{title_,       initialDir_, fileName_, ParseFileFilter(filter_),
                                         filterIndex_, options_};
    TOpenDialogAnswer answer;
    if (OpenRecording().On) {
        OpenRecording().Dialogs.push_back(request);
        answer = NextPreparedAnswer();
    } else {
        answer = ShowOpenDialog(request);
    }
    if (answer.FileNames.empty()) return false;
    if (!options_.Contains(ofAllowMultiSelect)) answer.FileNames.resize(1);
    files_->Clear();
    for (const AnsiString& name : answer.FileNames) files_->Add(WithDefaultExt(name));
    fileName_ = files_->Strings(0);
    if (answer.FilterIndex > 0) filterIndex_ = answer.FilterIndex;
    return true;
}

void RegisterDialogs() { RegisterClasses({TOpenDialog::ClassInfo()}); }

namespace Testing {

void RecordOpenDialogs(bool On) {
    OpenRecording().On = On;
    if (!On) OpenRecording().Answers.clear();
}

bool RecordingOpenDialogs() { return OpenRecording().On; }

void PrepareOpenDialogAnswer(const std::vector<AnsiString>& FileNames, Integer FilterIndex) {
    OpenRecording().Answers.push_back({FileNames, FilterIndex});
}

std::vector<TRecordedOpenDialog>& RecordedOpenDialogs() { return OpenRecording().Dialogs; }

}  // namespace Testing
