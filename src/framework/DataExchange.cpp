#include "framework/DataExchange.h"

#include "base/win32/Wide.h"

namespace pv {

void DataExchange::BindText(int id, std::string* value) {
    bindings_.push_back({Kind::Text, id, id, value});
}

void DataExchange::BindInt(int id, int32_t* value) {
    bindings_.push_back({Kind::Int, id, id, value});
}

void DataExchange::BindCheck(int id, bool* value) {
    bindings_.push_back({Kind::Check, id, id, value});
}

void DataExchange::BindRadio(int firstId, int lastId, int32_t* index) {
    bindings_.push_back({Kind::Radio, firstId, lastId, index});
}

namespace {

std::wstring ControlText(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    int length = GetWindowTextLengthW(control);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(control, text.data(), length + 1);
    text.resize(static_cast<size_t>(length));
    return text;
}

void RefuseField(HWND dialog, int id) {
    MessageBeep(MB_OK);
    HWND control = GetDlgItem(dialog, id);
    SetFocus(control);
    SendMessageW(control, EM_SETSEL, 0, -1);
}

}  // namespace

bool DataExchange::Read(HWND dialog) const {
    for (const Binding& b : bindings_) {
        switch (b.kind) {
        case Kind::Text: *static_cast<std::string*>(b.value) = Narrow(ControlText(dialog, b.id)); break;
        case Kind::Int: {
            BOOL ok = FALSE;
            int v = static_cast<int>(GetDlgItemInt(dialog, b.id, &ok, TRUE));
            if (!ok) {
                RefuseField(dialog, b.id);
                return false;
            }
            *static_cast<int32_t*>(b.value) = v;
            break;
        }
        case Kind::Check: *static_cast<bool*>(b.value) = IsDlgButtonChecked(dialog, b.id) == BST_CHECKED; break;
        case Kind::Radio: {
            int32_t index = -1;
            for (int id = b.id; id <= b.lastId; ++id) {
                if (IsDlgButtonChecked(dialog, id) == BST_CHECKED) {
                    index = id - b.id;
                    break;
                }
            }
            *static_cast<int32_t*>(b.value) = index;
            break;
        }
        }
    }
    return true;
}

void DataExchange::Write(HWND dialog) const {
    for (const Binding& b : bindings_) {
        switch (b.kind) {
        case Kind::Text: SetDlgItemTextW(dialog, b.id, Widen(*static_cast<std::string*>(b.value)).c_str()); break;
        case Kind::Int: SetDlgItemInt(dialog, b.id, static_cast<UINT>(*static_cast<int32_t*>(b.value)), TRUE); break;
        case Kind::Check:
            CheckDlgButton(dialog, b.id, *static_cast<bool*>(b.value) ? BST_CHECKED : BST_UNCHECKED);
            break;
        case Kind::Radio: {
            int32_t index = *static_cast<int32_t*>(b.value);
            int checked = index >= 0 && index <= b.lastId - b.id ? b.id + index : 0;
            for (int id = b.id; id <= b.lastId; ++id) {
                CheckDlgButton(dialog, id, id == checked ? BST_CHECKED : BST_UNCHECKED);
            }
            break;
        }
        }
    }
}

}  // namespace pv
