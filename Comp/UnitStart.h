#pragma once
// A unit's start-up state: its start-up step runs only while the unit is not started and its exit only
// while it is, so a repeated start makes no second pump, load or OLE start, and a repeated exit undoes
// nothing twice.

class TUnitStart {
public:
    // A step that fails leaves the unit unstarted.
    template <class Step>
    void Start(Step&& Init) {
        if (started_) return;
        Init();
        started_ = true;
    }
    template <class Step>
    void End(Step&& Done) {
        if (!started_) return;
        started_ = false;
        Done();
    }

private:
    bool started_ = false;
};
