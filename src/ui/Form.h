// A top-level form: loaded (window created, Form_Load run), shown, hidden and
// unloaded (Form_Unload run, window destroyed). The thread's message loop ends
// once no form of the program is loaded any more.
#pragma once
#include "ui/Window.h"

namespace ui {

class Form : public Window {
public:
    // Creates the window and runs OnLoad, once; later calls do nothing.
    void Load();
    bool IsLoaded() const noexcept { return IsCreated(); }
    // Loads if needed and shows modeless with no owner; raises OnResize and OnActivate.
    // activate false: shown without taking the activation, and so the foreground,
    // from the window the person is using (OnActivate is raised all the same).
    void Show(bool activate = true);
    void Hide();
    // Runs OnUnload, then destroys the window. Safe to call from inside the form's
    // own handlers: the object stays valid, only the window goes. Called while the
    // form loads, it waits for the load's end.
    void Unload();

    // Number of forms loaded in this process.
    static int LoadedCount() noexcept;

protected:
    Form() = default;

    virtual bool CreateFormWindow() = 0;
    virtual void OnLoad() {}
    virtual void OnActivate() {}
    virtual void OnResize() {}
    virtual void OnUnload() {}

    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnDestroyed() override;

private:
    bool loading_ = false;
    bool unloadWhenLoaded_ = false;
    bool unloading_ = false;
    bool counted_ = false;
    bool activated_ = false;
};

}  // namespace ui
