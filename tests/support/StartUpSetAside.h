#pragma once
// The program's start-up holds OLE initialisations (the grid's and the edits' units) and references to
// its run-time libraries; its units have started. A test that counts them from none, or starts a unit
// itself, sets them aside for its run and gets them back at its end.

#include "vcl/ActiveX.h"
#include "vcl/Windows.h"

class OleStartUpSetAside {
public:
    OleStartUpSetAside() {
        // S_FALSE: someone still holds OLE; take back that call and one held initialisation.
        while (OleInitialize(nullptr) == S_FALSE) {
            OleUninitialize();
            OleUninitialize();
            ++count_;
        }
        OleUninitialize();
    }
    ~OleStartUpSetAside() {
        for (int i = 0; i < count_; ++i) OleInitialize(nullptr);
    }
    OleStartUpSetAside(const OleStartUpSetAside&) = delete;
    OleStartUpSetAside& operator=(const OleStartUpSetAside&) = delete;

private:
    int count_ = 0;
};

// A unit the program started, ended for one test and started again at its end.
class UnitStartSetAside {
public:
    UnitStartSetAside(void (*Start)(), void (*End)()) : start_(Start) { End(); }
    ~UnitStartSetAside() { start_(); }
    UnitStartSetAside(const UnitStartSetAside&) = delete;
    UnitStartSetAside& operator=(const UnitStartSetAside&) = delete;

private:
    void (*start_)();
};

class ModuleReferencesSetAside {
public:
    explicit ModuleReferencesSetAside(const char* Module) : module_(Module) {
        while (HMODULE held = GetModuleHandle(module_)) {
            FreeLibrary(held);
            ++count_;
        }
    }
    ~ModuleReferencesSetAside() {
        for (int i = 0; i < count_; ++i) LoadLibrary(module_);
    }
    ModuleReferencesSetAside(const ModuleReferencesSetAside&) = delete;
    ModuleReferencesSetAside& operator=(const ModuleReferencesSetAside&) = delete;

private:
    const char* module_;
    int count_ = 0;
};
