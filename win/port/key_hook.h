#pragma once

#include <functional>
#include <memory>

#include "ide/key_chord.h"
#include "ide/runtime.h"
#include "ide/vbe.h"

namespace tandrel::win {

// Hooks the keyboard of the calling thread, the IDE's user-interface thread, for presses of `chord` in
// `vbe`'s active code pane: each runs `command` once, after the key's message has been taken from the pane.
// Nothing system-wide: the hook sees only the keys this thread's windows receive, and passes on all but that
// one. Null when Windows refuses the hook.
std::unique_ptr<ide::KeyHook> HookCodePaneKey(const ide::KeyChord& chord, std::shared_ptr<ide::VBE> vbe,
                                              std::function<void()> command);

}  // namespace tandrel::win
