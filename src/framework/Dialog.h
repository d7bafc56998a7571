// Dialog base class: one message routine per dialog class, the object found through
// DWLP_USER, and data exchange built in. The default OK reads every bound control and ends the
// dialog with IDOK; Cancel ends it with IDCANCEL and changes nothing.
#pragma once

#include "framework/DataExchange.h"
#include "framework/WinInclude.h"

namespace pv {

class Dialog {
public:
    explicit Dialog(UINT templateId) : templateId_(templateId) {}

    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;
    virtual ~Dialog();

    // Modal: returns the code End was given (-1 when the dialog could not be made).
    INT_PTR DoModal(HWND owner);
    // Modeless: the owner's loop must offer its messages to IsDialogMessage.
    bool CreateModeless(HWND owner);

    [[nodiscard]] HWND hwnd() const { return hwnd_; }

protected:
    // Return true when handled; SetResult gives the answer of a handled message.
    virtual bool OnMessage(UINT msg, WPARAM wp, LPARAM lp);

    // Bind controls (Bind* on data()) and prepare members; the base writes members to controls.
    virtual bool OnInitDialog() { return true; }

    virtual void OnOk();

    virtual void OnCancel() { End(IDCANCEL); }

    virtual void OnCommand(UINT id, UINT code, HWND control);

    DataExchange& data() { return data_; }

    void End(INT_PTR code);
    void SetResult(LRESULT result);
    // Centres the dialog on its owner, kept inside the owner's monitor work area.
    void CentreOnOwner();

private:
    static INT_PTR CALLBACK Thunk(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

    UINT templateId_;
    HWND hwnd_ = nullptr;
    bool modal_ = false;
    DataExchange data_;
};

}  // namespace pv
