// Loads arbitrary bytes into a string list and checks that the lines hold no
// line breaks and survive a save and reload unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "framework/runtime/Streams.h"
#include "framework/runtime/StringList.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TMemoryStream input;
    input.WriteBuffer(data, static_cast<int64_t>(size));
    input.SetPosition(size > 0 ? data[0] % (size + 1) : 0);
    TStringList list;
    list.LoadFromStream(input);
    if (static_cast<size_t>(list.Count()) > size)
        std::abort();
    for (const std::string& line : list.Lines())
        if (line.find_first_of("\r\n") != std::string::npos)
            std::abort();

    TMemoryStream saved;
    list.SaveToStream(saved);
    saved.SetPosition(0);
    TStringList again;
    again.LoadFromStream(saved);
    if (again.Lines() != list.Lines())
        std::abort();
    return 0;
}
