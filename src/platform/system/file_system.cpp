// The switch that lets tests put another file system in place of the machine's.
#include "platform/system/file_system.hpp"

namespace {

FileSystem* current = nullptr;

}  // namespace

FileSystem& fileSystem() { return current != nullptr ? *current : systemFileSystem(); }

ScopedFileSystem::ScopedFileSystem(FileSystem& replacement) : previous(current) { current = &replacement; }

ScopedFileSystem::~ScopedFileSystem() { current = previous; }
