// The native plug-in shows no dialogs.
#include "dialog_answerer.h"

DialogAnswerer::DialogAnswerer() = default;
