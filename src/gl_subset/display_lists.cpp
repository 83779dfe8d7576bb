// display_lists.cpp: glGenLists to glCallLists. Names are handed out in
// increasing order and not reused; a list that was never compiled, or has
// been deleted, draws nothing when called.
#include "gl_subset/display_lists.h"

#include <GLES2/gl2.h>

#include <unordered_map>
#include <vector>

#include "gl_subset/gl_subset.h"

namespace {

struct ListOp {
  ListOpKind kind;
  unsigned mode;
  float a, b, c, d;
};

struct DisplayLists {
  std::unordered_map<unsigned, std::vector<ListOp>> lists;
  unsigned nextName = 1;
  unsigned base = 0;
  unsigned compiling = 0;  // the list being compiled, or 0
  bool executeToo = false;
  std::vector<ListOp> building;
};

DisplayLists displayLists;

void Replay(const ListOp &op) {
  switch (op.kind) {
    case listBegin: SubsetBegin(op.mode); break;
    case listEnd: SubsetEnd(); break;
    case listVertex: SubsetVertex3f(op.a, op.b, op.c); break;
    case listTexCoord: SubsetTexCoord2f(op.a, op.b); break;
    case listNormal: SubsetNormal3f(op.a, op.b, op.c); break;
    case listColour: SubsetColor3f(op.a, op.b, op.c); break;
    case listTranslate: SubsetTranslatef(op.a, op.b, op.c); break;
    case listRotate: SubsetRotatef(op.a, op.b, op.c, op.d); break;
  }
}

void CallList(unsigned name) {
  auto found = displayLists.lists.find(name);
  if (found == displayLists.lists.end()) return;
  for (const ListOp &op : found->second) Replay(op);
}

// The i-th name of a glCallLists array of the given type, or false where
// the type is not one the subset reads.
bool ListOffset(unsigned type, const void *lists, int i, int *offset) {
  switch (type) {
    case GL_BYTE: *offset = ((const signed char *)lists)[i]; return true;
    case GL_UNSIGNED_BYTE: *offset = ((const unsigned char *)lists)[i]; return true;
    case GL_INT: *offset = ((const int *)lists)[i]; return true;
    case GL_UNSIGNED_INT: *offset = (int)((const unsigned *)lists)[i]; return true;
  }
  return false;
}

}  // namespace

bool RecordListOp(ListOpKind kind, unsigned mode, float a, float b, float c, float d) {
  if (displayLists.compiling == 0) return false;
  displayLists.building.push_back(ListOp{kind, mode, a, b, c, d});
  return !displayLists.executeToo;
}

void ForgetAllLists() { displayLists = DisplayLists{}; }

unsigned SubsetGenLists(int range) {
  if (range <= 0) return 0;
  unsigned first = displayLists.nextName;
  displayLists.nextName += (unsigned)range;
  return first;
}

void SubsetDeleteLists(unsigned list, int range) {
  for (int i = 0; i < range; ++i) displayLists.lists.erase(list + (unsigned)i);
}

// A list being compiled is kept only once glEndList closes it.
void SubsetNewList(unsigned list, unsigned mode) {
  if (list == 0 || displayLists.compiling != 0) return;
  if (mode != GL_COMPILE && mode != GL_COMPILE_AND_EXECUTE) return;
  displayLists.compiling = list;
  displayLists.executeToo = mode == GL_COMPILE_AND_EXECUTE;
  displayLists.building.clear();
}

void SubsetEndList() {
  if (displayLists.compiling == 0) return;
  displayLists.lists[displayLists.compiling] = std::move(displayLists.building);
  displayLists.building = {};
  displayLists.compiling = 0;
}

void SubsetListBase(unsigned base) { displayLists.base = base; }

// Each entry is added to the list base, signed bytes counting below it.
void SubsetCallLists(int count, unsigned type, const void *lists) {
  for (int i = 0; i < count; ++i) {
    int offset = 0;
    if (!ListOffset(type, lists, i, &offset)) return;
    CallList(displayLists.base + (unsigned)offset);
  }
}
