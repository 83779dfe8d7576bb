// display_lists.h: GL display lists as the subset keeps them: the calls a
// list holds, recorded in order and done again when it is called. A list can
// hold the immediate-mode calls and translations and rotations; any other
// call made while a list is being compiled is done at once.
#pragma once

enum ListOpKind : unsigned char {
  listBegin, listEnd, listVertex, listTexCoord, listNormal, listColour, listTranslate, listRotate
};

// While a list is being compiled, records the call; true when it is to be
// left undone now (GL_COMPILE), false when it is to be done as well
// (GL_COMPILE_AND_EXECUTE, or no list being compiled).
bool RecordListOp(ListOpKind kind, unsigned mode, float a, float b, float c, float d);
// Every list is gone and the list base is back at 0, as in a new context.
void ForgetAllLists();
