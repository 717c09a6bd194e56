#include "authoring/MediumTools.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

#include "authoring/AuthoringError.h"
#include "authoring/ChildProcess.h"

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

bool Readable(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return file.good();
}

std::string MissingTool(const std::string& tool, const std::string& task) {
    if (!CanStartPrograms())
        return task + " needs the Linux build of ctrpack (it runs " + tool +
               "); this Windows build writes the folder only";
    if (FindOnPath(tool).empty())
        return tool + " is not on PATH; " + task + " needs it (Debian package " + tool +
               ", which scripts/bootstrap installs)";
    return {};
}

// The last lines of a tool's output, folded onto the one error line.
std::string Tail(std::string output) {
    while (!output.empty() && (output.back() == '\n' || output.back() == '\r'))
        output.pop_back();
    constexpr std::size_t kShown = 2000;
    if (output.size() > kShown)
        output = "..." + output.substr(output.size() - kShown);
    for (char& c : output)
        if (c == '\n')
            c = '|';
    return output;
}

// The password from the environment in a file of the user's own (0600), for
// osslsigncode's -readpass; removed when it goes.
class PasswordFile {
public:
    explicit PasswordFile(const SigningRequest& request) {
        if (!request.passwordFile.empty()) {
            path_ = request.passwordFile;
            return;
        }
#ifndef _WIN32
        const char* password = std::getenv(request.passwordEnv.c_str());
        std::string pattern =
            (std::filesystem::temp_directory_path() / "ctrpack-pass-XXXXXX").string();
        const int fd = mkstemp(pattern.data()); // created 0600
        if (fd < 0)
            throw AuthoringError(pattern, "cannot make a private file for the password");
        path_ = pattern;
        owned_ = true;
        const std::string text = password ? password : "";
        const bool written =
            write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
        close(fd);
        if (!written)
            throw AuthoringError(path_, "cannot write the password file");
#endif
    }
    ~PasswordFile() {
        if (owned_) {
            std::error_code ignored;
            std::filesystem::remove(path_, ignored);
        }
    }
    PasswordFile(const PasswordFile&) = delete;
    PasswordFile& operator=(const PasswordFile&) = delete;
    const std::string& Path() const {
        return path_;
    }

private:
    std::string path_;
    bool owned_ = false;
};

} // namespace

std::string SigningProblem(const SigningRequest& request) {
    const std::string tool = MissingTool("osslsigncode", "--sign");
    if (!tool.empty())
        return tool;
    if (!Readable(request.certificate))
        return request.certificate + ": cannot be read (--sign names a PKCS#12 .pfx)";
    if (request.passwordFile.empty() == request.passwordEnv.empty())
        return "--sign needs exactly one of --password-file FILE and --password-env VAR";
    if (!request.passwordFile.empty() && !Readable(request.passwordFile))
        return request.passwordFile + ": cannot be read (--password-file)";
    if (!request.passwordEnv.empty() && std::getenv(request.passwordEnv.c_str()) == nullptr)
        return "--password-env " + request.passwordEnv + ": the variable is not set";
    return {};
}

std::string ImageProblem() {
    return MissingTool("xorriso", "--iso");
}

void SignLauncher(const SigningRequest& request, const std::string& input,
                  const std::string& output) {
    const PasswordFile password(request);
    std::vector<std::string> argv = {
        "osslsigncode", "sign",          "-pkcs12", request.certificate,
        "-readpass",    password.Path(), "-n",      request.description,
        "-h",           "sha256"};
    if (!request.timestampUrl.empty())
        argv.insert(argv.end(), {"-ts", request.timestampUrl});
    argv.insert(argv.end(), {"-in", input, "-out", output});
    const ChildResult result = RunChild(argv);
    if (result.exitCode != 0) {
        std::error_code ignored;
        std::filesystem::remove(output, ignored);
        throw AuthoringError(input, "osslsigncode could not sign it (exit " +
                                        std::to_string(result.exitCode) +
                                        "): " + Tail(result.output));
    }
}

void WriteDiscImage(const std::string& folder, const std::string& image, const std::string& label) {
    // ISO level 3 lets a file above 4 GiB span extents; Windows reads the
    // Joliet names, Linux the Rock Ridge ones.
    const ChildResult result = RunChild({"xorriso", "-as", "mkisofs", "-iso-level", "3", "-J", "-R",
                                         "-V", label, "-o", image, folder});
    if (result.exitCode != 0) {
        std::error_code ignored;
        std::filesystem::remove(image, ignored);
        throw AuthoringError(image, "xorriso could not write the image (exit " +
                                        std::to_string(result.exitCode) +
                                        "): " + Tail(result.output));
    }
}
