// Loading chunks from logical files and from memory, and running them with
// an alert on failure (declared in Auxlib.h).

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/file/TFile.h"
#include "platform/text/Log.h"
#include "script/lua/Auxlib.h"
#include "script/lua/Calls.h"

namespace {

struct FileCloser {
  void operator()(TFile* file) const { FileClose(file); }
};
using OpenFile = std::unique_ptr<TFile, FileCloser>;

struct FileReader {
  TFile* file;
  char block[LUAL_BUFFERSIZE];
};

const char* readfileblock(lua_State*, void* ud, size_t* size) {
  FileReader* reader = static_cast<FileReader*>(ud);
  if (FileEof(reader->file)) return nullptr;
  const int32_t got = FileRead(reader->file, reader->block, sizeof reader->block);
  if (got <= 0) return nullptr;
  *size = static_cast<size_t>(got);
  return reader->block;
}

struct MemoryReader {
  const char* block;
  size_t size;
};

const char* readmemory(lua_State*, void* ud, size_t* size) {
  MemoryReader* reader = static_cast<MemoryReader*>(ud);
  if (reader->size == 0) return nullptr;
  *size = reader->size;
  reader->size = 0;
  return reader->block;
}

// Text in the "C" locale: white space or a printable character. Anything else
// at the start of a file (ESC of a precompiled chunk, FF of the UTF-16LE
// mark) asks for binary reading, which keeps every byte.
bool istextbyte(int c) { return (c >= '\t' && c <= '\r') || (c >= ' ' && c <= '~'); }

// Replaces the chunk name at nameindex by "cannot read <file>: <reason>", the
// operating system's text for err, or `fallback` when it reported none.
int fileerror(lua_State* L, int nameindex, int err, const char* fallback) {
  const char* filename = lua_tostring(L, nameindex) + 1;  // after the "@"
  lua_pushfstring(L, "cannot read %s: %s", filename, err != 0 ? strerror(err) : fallback);
  lua_remove(L, nameindex);
  return LUA_ERRFILE;
}

OpenFile openfile(const char* filename, int mode) {
  errno = 0;
  return OpenFile(FileOpen(filename, mode));
}

// Opens the file in text mode, or in binary mode when its first byte is no
// text; null when it cannot be opened.
OpenFile openchunkfile(const char* filename) {
  OpenFile file = openfile(filename, kFileReadText);
  if (!file) return file;
  const int first = FileGetChar(file.get());
  if (first < 0 || istextbyte(first)) {
    if (first >= 0) FileUngetChar(file.get());
    return file;
  }
  file.reset();
  return openfile(filename, kFileReadBinary);
}

const char* messagetext(lua_State* L, int idx) {
  const char* message = lua_tostring(L, idx);
  return message != nullptr ? message : "(error object is not a string)";
}

// After a failed chunk: calls the global "_ALERT" with the message, or writes
// the message to the standard error stream; either way the message goes. The
// handler runs protected: one that raises an error (or tries to yield) is
// logged instead of ending the program.
void alert(lua_State* L) {
  lua_getglobal(L, "_ALERT");
  if (lua_isfunction(L, -1)) {
    lua_insert(L, -2);
    if (lua_pcall(L, 1, 0, 0) != 0) {
      LogPrintf("_ALERT failed: %s", messagetext(L, -1));
      lua_pop(L, 1);
    }
    return;
  }
  fprintf(stderr, "%s\n", messagetext(L, -2));
  lua_pop(L, 2);
}

int loadfile(lua_State* L, const char* filename) {
  if (filename == nullptr) {
    lua_pushstring(L, "cannot read stdin: there is no standard input to load from");
    return LUA_ERRFILE;
  }
  const int nameindex = lua_gettop(L) + 1;
  lua_pushfstring(L, "@%s", filename);
  OpenFile file = openchunkfile(filename);
  if (!file) return fileerror(L, nameindex, errno, "no such file");
  FileReader reader{file.get(), {}};
  errno = 0;
  const int status = lua_load(L, readfileblock, &reader, lua_tostring(L, nameindex));
  const int readerror = errno;
  const bool failed = FileError(file.get());
  file.reset();
  if (failed) {
    lua_settop(L, nameindex);
    return fileerror(L, nameindex, readerror, "read failed");
  }
  lua_remove(L, nameindex);
  return status;
}

struct FileLoad {
  const char* filename;
  int status;
};

void loadfileprotected(lua_State* L, void* ud) {
  FileLoad* load = static_cast<FileLoad*>(ud);
  load->status = loadfile(L, load->filename);
}

}  // namespace

// The names and messages pushed around the compiler's own protected run
// allocate too: the whole load runs protected, so a memory failure anywhere
// is its status 4 with "not enough memory", and the file is closed.
int luaL_loadfile(lua_State* L, const char* filename) {
  FileLoad load{filename, 0};
  const int status = luaD_pcall(L, loadfileprotected, &load, savestack(L, L->top), 0);
  return status != 0 ? status : load.status;
}

int luaL_loadbuffer(lua_State* L, const char* buff, size_t size, const char* name) {
  MemoryReader reader{buff, size};
  return lua_load(L, readmemory, &reader, name);
}

int lua_dobuffer(lua_State* L, const char* buff, size_t size, const char* name) {
  int status = luaL_loadbuffer(L, buff, size, name);
  if (status == 0) status = lua_pcall(L, 0, LUA_MULTRET, 0);
  if (status != 0) alert(L);
  return status;
}

int lua_dostring(lua_State* L, const char* text) {
  return lua_dobuffer(L, text, strlen(text), text);
}
