// The machine's debug checks: code that breaks the stack discipline the
// compiler keeps stops a debug build at the faulty instruction, instead of
// reading a slot of another frame or running off the end of the code.
// Release builds compile the checks out, so these tests exist in debug
// builds only (the sanitizer and coverage builds).
#include "script/machine.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "script_runner.h"

#ifndef NDEBUG
namespace velmora::script {
namespace {

RLSInstruction I(Opcode op, Operand a = Operand::None(), Operand b = Operand::None()) { return {op, a, b}; }

// Runs hand-assembled code as a function without parameters that has
// `locals` frame slots.
class MachineChecksDeathTest : public ::testing::Test {
 protected:
  RunStatus RunCode(RLSInstructionArray code, int locals = 0) {
    RLSFunktion* f = r_.program.functions().Define("broken" + std::to_string(++count_), "checks");
    f->state = FunctionState::kScript;
    for (int i = 0; i < locals; ++i) f->locals.GetOrCreate("v" + std::to_string(i), 0);
    f->code = std::move(code);
    StringSink sink;
    return r_.machine.Run(*f, sink);
  }
  Operand Constant(std::int32_t v) {
    return Operand::Cell(OperandKind::kConstant, r_.program.constants().AddInteger(v));
  }

  test::ScriptRunner r_;
  int count_ = 0;
};

TEST_F(MachineChecksDeathTest, WellFormedCodeRuns) {
  // The shapes of the faults below, kept within the rules, pass the checks.
  EXPECT_EQ(RunCode({I(Opcode::kAssign, Operand::Stack(), Constant(1)),
                     I(Opcode::kPop),
                     I(Opcode::kOutput, Operand::Local(0)),
                     I(Opcode::kJump, Operand::Index(5)),
                     I(Opcode::kEndOfTemplate)},
                    1),
            RunStatus::kOk);
}

TEST_F(MachineChecksDeathTest, PoppingBelowTheFrameStops) {
  EXPECT_DEATH(RunCode({I(Opcode::kPop), I(Opcode::kEndOfTemplate)}), "FrameTop");
  // The local slot is the frame's own, not a temporary to pop.
  EXPECT_DEATH(RunCode({I(Opcode::kOutput, Operand::Stack()), I(Opcode::kEndOfTemplate)}, 1), "FrameTop");
  EXPECT_DEATH(RunCode({I(Opcode::kAdd, Constant(1), Operand::Stack()), I(Opcode::kEndOfTemplate)}), "FrameTop");
  EXPECT_DEATH(RunCode({I(Opcode::kAssign, Operand::Local(0), Operand::Stack()), I(Opcode::kEndOfTemplate)}, 1),
               "FrameTop");
}

TEST_F(MachineChecksDeathTest, SlotsAndTargetsOutsideTheFunctionStop) {
  EXPECT_DEATH(RunCode({I(Opcode::kOutput, Operand::Local(1)), I(Opcode::kEndOfTemplate)}, 1), "FrameTop");
  EXPECT_DEATH(RunCode({I(Opcode::kJump, Operand::Index(3)), I(Opcode::kEndOfTemplate)}), "code.size");
  EXPECT_DEATH(RunCode({I(Opcode::kJump, Operand::Index(0)), I(Opcode::kEndOfTemplate)}), "target.index >= 1");
  // Code without a final return runs off its end.
  EXPECT_DEATH(RunCode({I(Opcode::kNop)}), "pc_ <");
}

TEST_F(MachineChecksDeathTest, CallsWithoutTheirArgumentsStop) {
  RLSFunktion* callee = r_.program.functions().Find("len");
  ASSERT_NE(callee, nullptr);
  // A count of two over a single argument.
  EXPECT_DEATH(RunCode({I(Opcode::kAssign, Operand::Stack(), Constant(1)),
                        I(Opcode::kArgumentCount, Operand::Index(2)),
                        I(Opcode::kCall, Operand::Function(callee)),
                        I(Opcode::kEndOfTemplate)}),
               "integer\\(\\)");
  // No count at all.
  EXPECT_DEATH(RunCode({I(Opcode::kCall, Operand::Function(callee)), I(Opcode::kEndOfTemplate)}), "FrameTop");
}

}  // namespace
}  // namespace velmora::script
#endif
