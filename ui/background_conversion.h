// Runs a conversion on a worker thread so that the dialog keeps painting meanwhile. Every
// window takes no input and shows the busy cursor until it ends; the conversion's questions
// and messages are shown on the main thread, one at a time, as they come, and the worker
// waits for each answer.
#pragma once

#include <functional>

#include "convert/prompter.h"

namespace trelvan {

// Returns what `conversion` returned; an exception it throws comes out here.
int RunInBackground(const std::function<int(Prompter&)>& conversion, Prompter& prompter);

}  // namespace trelvan
