// Cells laid out in rows of a fixed length, with the row and cell snippets
// that the thumbnail pages and the index page give for it.
#pragma once

#include "html/template_snippets.h"

namespace velmora::html {

struct TableSlots {
  int tr_open = 0;
  int td_open = 0;
  int content = 0;
  int td_close = 0;
  int tr_close = 0;
};

class TableRows {
 public:
  TableRows(SnippetEmitter& emitter, TableSlots slots, long per_row)
      : emitter_(emitter), slots_(slots), per_row_(per_row < 1 ? 1 : per_row) {}

  // A new table: the next cell starts the first row.
  void Start() { in_row_ = 0; }
  // One cell; a full row is closed first, and a row's first cell opens it.
  void Cell(script::OutputSink& out) {
    if (in_row_ == per_row_) {
      emitter_.EmitSnippet(out, slots_.tr_close);
      in_row_ = 0;
    }
    if (in_row_ == 0) emitter_.EmitSnippet(out, slots_.tr_open);
    emitter_.EmitSnippet(out, slots_.td_open);
    emitter_.EmitSnippet(out, slots_.content);
    emitter_.EmitSnippet(out, slots_.td_close);
    ++in_row_;
  }

 private:
  SnippetEmitter& emitter_;
  TableSlots slots_;
  long per_row_;
  long in_row_ = 0;
};

}  // namespace velmora::html
