// menu.ini and the configuration list through the menu model. Whatever the
// input, reading never crashes, and whatever was read is written back to a
// menu.ini that reads again without an error into the same texts: for a
// menu.ini given as input (first byte even) and for a configuration list
// given as a container's entry 1 (first byte odd), which must come back byte
// for byte, as decompile and build promise.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "authoring/MenuCheck.h"
#include "authoring/MenuIni.h"

namespace {

void Fail(const char* what, const std::string& ini) {
    std::fprintf(stderr, "%s\n--- menu.ini written ---\n%s\n", what, ini.c_str());
    std::abort();
}

void WriteAndReadBack(const MenuDocument& menu) {
    const std::string ini = WriteMenuIni(menu);
    std::vector<Problem> problems;
    const MenuIniResult back = ReadMenuIni("again.ini", ini, problems);
    // A warning (text that looks like UTF-8, say) is the author's to weigh;
    // an error would keep the folder from building again.
    for (const Problem& problem : problems)
        if (problem.severity == Severity::Error)
            Fail(problem.Format().c_str(), ini);
    if (back.menu.ConfigurationList() != menu.ConfigurationList())
        Fail("the configuration list changed", ini);
    if (back.menu.EntryCount() != menu.EntryCount())
        Fail("the entry count changed", ini);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const bool asList = (data[0] & 1) != 0;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    if (asList) {
        const std::vector<uint8_t> list(data + 1, data + size);
        MenuDocument menu;
        try {
            menu = MenuFromEntries("fuzz.ctr", {list});
        } catch (const ConversionError&) {
            return 0; // refused with a message: nothing to keep
        }
        if (menu.ConfigurationList() != list)
            Fail("the list read is not the list given", "");
        WriteAndReadBack(menu);
        return 0;
    }
    std::vector<Problem> problems;
    const MenuIniResult read = ReadMenuIni("fuzz.ini", text, problems);
    for (const Problem& problem : problems)
        if (problem.Format().empty())
            Fail("a problem without text", "");
    (void)CheckMenu(read.menu, read.origins);
    WriteAndReadBack(read.menu);
    return 0;
}
