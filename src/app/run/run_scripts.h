// The compiled scripts of one run: the program with its tables, the context
// variables and the machine that calls entry functions and the image filter.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "app/run/context_variables.h"
#include "app/run/run_image_host.h"
#include "script/machine.h"
#include "script/symbols.h"

namespace velmora::app {

class RunScripts {
 public:
  RunScripts();
  ~RunScripts();

  // Scripts touch no file until the run says where they may: see
  // script_access.h. The policy outlives CompileModules.
  void SetFileAccess(script::FileAccess access) { program_.file_access() = std::move(access); }

  // Fresh tables, the context variables, then the profile's modules and the
  // modules of the script file ("RILOSCRIPT_FILE"). A compile error has been
  // shown when this returns false. A script file that cannot be opened or
  // holds a faulty line is reported, and the modules read before that line
  // are compiled as usual.
  bool CompileModules();

  // The image filter "IMAGE_ORACLE": nothing to do (and not active) when it
  // holds only blanks and line breaks; otherwise compiled as `_oracle` and
  // checked for called functions that no module defines. False after a
  // message.
  bool CompileOracle(std::string_view text, bool& active);

  // The text of every text stamp in the working clone list, compiled as
  // the template function of its list position (StampFunction). False
  // after the compile error has been shown, naming the stamp by its description.
  bool CompileStampTexts();
  // The name of the text stamp function at 1-based `position` of the clone list.
  static std::string StampFunction(int position);
  // Runs the stamp function of `position` and returns what it printed
  // (Windows-1252); empty when it is not defined or prints nothing. A
  // script that ends early keeps what it printed so far.
  std::string StampText(int position);

  // True when the scripts define `name` (entry functions are optional).
  bool Defines(std::string_view name) const;
  // Calls an entry function when it is defined; output is discarded.
  void CallEntry(std::string_view name);
  // Runs `_oracle` on the image context set before: true when it returned
  // a value whose text is that of @TRUE.
  bool OracleTakes();

  script::Program& program() { return program_; }
  RunContext& context() { return context_; }
  script::Machine& machine() { return *machine_; }
  // What the image and metadata built-ins of these scripts see.
  RunImageHost& image_host() { return image_host_; }

 private:
  RunImageHost image_host_;
  script::Program program_;
  RunContext context_;
  std::unique_ptr<script::Machine> machine_;
};

}  // namespace velmora::app
