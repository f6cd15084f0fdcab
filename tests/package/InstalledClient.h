#pragma once
// Checks of a client copied onto a machine, shared by the installer and the portable
// archive tests.

#include <filesystem>

inline constexpr wchar_t kClientExe[] = L"Zeltavue.exe";

// Its version resource carries the build's version and product name.
void ExpectClientIdentity(const std::filesystem::path& exe);

// Starts the client from where it lies against a loopback site, waits for its main window,
// closes it and expects the client to end with exit code 0, leaving no process of its own behind.
void ExpectClientRunsAndEnds(const std::filesystem::path& exe);
