// Dialog data exchange: bind control ids to members once, then Read copies every control into
// its member (false, with a beep and the focus on the control, when a number does not parse)
// and Write copies every member into its control. A dialog reads all, acts, writes back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/WinInclude.h"

namespace pv {

class DataExchange {
public:
    void BindText(int id, std::string* value);  // edit boxes, labels: UTF-8
    void BindInt(int id, int32_t* value);       // signed decimal, no range check
    void BindCheck(int id, bool* value);        // check box
    // Radio buttons firstId..lastId (consecutive ids); index 0 is firstId, -1 none.
    void BindRadio(int firstId, int lastId, int32_t* index);

    // Controls -> members. Stops at the first field that does not parse.
    bool Read(HWND dialog) const;
    // Members -> controls.
    void Write(HWND dialog) const;

private:
    enum class Kind {
        Text,
        Int,
        Check,
        Radio,
    };

    struct Binding {
        Kind kind;
        int id;
        int lastId;
        void* value;
    };

    std::vector<Binding> bindings_;
};

}  // namespace pv
