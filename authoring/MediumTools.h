// The two outside tools a medium may need: xorriso for the disc image and
// osslsigncode for the launcher's Authenticode signature. Both are Debian
// packages that scripts/bootstrap installs.
#pragma once

#include <string>

struct SigningRequest {
    std::string certificate;  // PKCS#12 (.pfx) with the key
    std::string passwordFile; // or, when empty, passwordEnv names the variable
    std::string passwordEnv;
    std::string timestampUrl; // "" for none
    std::string description;  // shown by Windows as the signed program's name
};

// What keeps the request from running, or "": the tool missing from PATH
// (or the Windows build), the certificate or password file unreadable, the
// variable unset.
std::string SigningProblem(const SigningRequest& request);
std::string ImageProblem();

// Signs input into output (a new file). AuthoringError with osslsigncode's output
// when it fails.
void SignLauncher(const SigningRequest& request, const std::string& input,
                  const std::string& output);
// Writes folder as an ISO 9660 image with Joliet and Rock Ridge names and the
// volume label. AuthoringError with xorriso's output when it fails (the half image
// is removed).
void WriteDiscImage(const std::string& folder, const std::string& image, const std::string& label);
