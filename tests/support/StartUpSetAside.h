#pragma once
// The program's start-up holds one OLE initialisation and references to its run-time libraries. A test
// that counts them from none sets them aside for its run and gets them back at its end.

#include "vcl/ActiveX.h"
#include "vcl/Windows.h"

class OleStartUpSetAside {
public:
    OleStartUpSetAside() { OleUninitialize(); }
    ~OleStartUpSetAside() { OleInitialize(nullptr); }
    OleStartUpSetAside(const OleStartUpSetAside&) = delete;
    OleStartUpSetAside& operator=(const OleStartUpSetAside&) = delete;
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
