// A shared text's output; it is kept in the one table of texts (text_table.h).
#include "shared_text.h"

std::ostream& operator<<(std::ostream& out, const SharedText& text) { return out << text.str(); }
