// The command table of ctrpack. A command gets the words after its name and
// returns the exit code; failures raise AuthoringError. Adding a subcommand means
// writing its Run function and adding one row to CommandTable().
#pragma once

#include <string>
#include <vector>

using CommandArgs = std::vector<std::string>;

struct Command {
    const char* name;
    const char* usage; // the words after "ctrpack"
    const char* summary;
    int (*run)(const CommandArgs& args);
};

const std::vector<Command>& CommandTable();

int RunPack(const CommandArgs& args);
int RunList(const CommandArgs& args);
int RunExtract(const CommandArgs& args);
int RunUnpack(const CommandArgs& args);
int RunNew(const CommandArgs& args);
