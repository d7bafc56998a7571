// Writes the association keys of the ticked types for the current user, and tells the shell.
#pragma once

#include <string>
#include <vector>

#include "shell/Associations.h"

namespace pv {

enum class AssociationFailure {
    None,
    CannotDelete,  // an existing type key could not be removed
    CannotCreate,  // a key could not be created or written
    TooLong        // the strings or the type are too long for the shell's keys
};

struct AssociationResult {
    AssociationFailure failure = AssociationFailure::None;
    // Extensions ("." and lower case) whose default stays with another program.
    std::vector<std::string> keptDefaults;
};

// For each type in order: its old key (under the user's own classes) is deleted with every
// subkey, then written as TypeKeyPlan says; its extension key lists it under
// OpenWithProgids and takes it as default only when no other program is the default. The
// first failure ends the loop (what was written before it stays). Where the system's
// merged classes view does not show the user's classes, the same keys are written there
// too, as far as the user may. The shell is told that associations changed.
AssociationResult WriteAssociations(const std::vector<std::string>& types, const AssociationStrings& strings);

// The running program's own path: where it is really installed.
std::string RunningProgramPath();

}  // namespace pv
