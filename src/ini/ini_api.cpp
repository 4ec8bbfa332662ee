// The operations under their classic names, over a document held by pointer.
#include "ini/ini_text.h"

#include <new>

namespace quorvane {

IniText *Ini_New(int automaticSorting) {
  // Every document of this tool keeps insertion order; a sorted one is not offered.
  if (automaticSorting != 0) return nullptr;
  return new (std::nothrow) IniText();
}

int Ini_Dispose(IniText *handle) {
  if (handle == nullptr) return kIniInvalidHandle;
  delete handle;
  return 0;
}

int Ini_PutInt(IniText *handle, const char *section, const char *tag, int value) {
  if (handle == nullptr || section == nullptr || tag == nullptr) return kIniInvalidHandle;
  return handle->putInt(section, tag, value);
}

int Ini_PutString(IniText *handle, const char *section, const char *tag, const char *text) {
  if (handle == nullptr || section == nullptr || tag == nullptr) return kIniInvalidHandle;
  return handle->putString(section, tag, text == nullptr ? "" : text);
}

int Ini_GetInt(const IniText *handle, const char *section, const char *tag, int *value) {
  if (handle == nullptr || section == nullptr || tag == nullptr || value == nullptr) {
    return kIniInvalidHandle;
  }
  return handle->getInt(section, tag, *value);
}

int Ini_GetStringIntoBuffer(const IniText *handle, const char *section, const char *tag,
                            char *buffer, int bufferSize) {
  if (buffer != nullptr && bufferSize > 0) buffer[0] = '\0';
  if (handle == nullptr || section == nullptr || tag == nullptr || buffer == nullptr ||
      bufferSize < 1) {
    return kIniInvalidHandle;
  }
  return handle->getStringIntoBuffer(section, tag, buffer, static_cast<std::size_t>(bufferSize));
}

int Ini_ReadFromFile(IniText *handle, const char *path) {
  if (handle == nullptr || path == nullptr) return kIniInvalidHandle;
  return handle->readFromFile(path);
}

int Ini_WriteToFile(const IniText *handle, const char *path) {
  if (handle == nullptr || path == nullptr) return kIniInvalidHandle;
  return handle->writeToFile(path);
}

} // namespace quorvane
