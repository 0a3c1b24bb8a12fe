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

// Runs hand-assembled code as a function without parameters that has
// `locals` frame slots.
class MachineChecksDeathTest : public ::testing::Test {
 protected:
  RunStatus RunCode(RLSInstruktionArray code, int locals = 0) {
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
  EXPECT_EQ(RunCode({{Opcode::kAssign, Operand::Stack(), Constant(1)},
                     {Opcode::kPop},
                     {Opcode::kOutput, Operand::Local(0)},
                     {Opcode::kJump, Operand::Index(5)},
                     {Opcode::kEndOfTemplate}},
                    1),
            RunStatus::kOk);
}

TEST_F(MachineChecksDeathTest, PoppingBelowTheFrameStops) {
  EXPECT_DEATH(RunCode({{Opcode::kPop}, {Opcode::kEndOfTemplate}}), "FrameTop");
  // The local slot is the frame's own, not a temporary to pop.
  EXPECT_DEATH(RunCode({{Opcode::kOutput, Operand::Stack()}, {Opcode::kEndOfTemplate}}, 1), "FrameTop");
  EXPECT_DEATH(RunCode({{Opcode::kAdd, Constant(1), Operand::Stack()}, {Opcode::kEndOfTemplate}}), "FrameTop");
  EXPECT_DEATH(RunCode({{Opcode::kAssign, Operand::Local(0), Operand::Stack()}, {Opcode::kEndOfTemplate}}, 1),
               "FrameTop");
}

TEST_F(MachineChecksDeathTest, SlotsAndTargetsOutsideTheFunctionStop) {
  EXPECT_DEATH(RunCode({{Opcode::kOutput, Operand::Local(1)}, {Opcode::kEndOfTemplate}}, 1), "FrameTop");
  EXPECT_DEATH(RunCode({{Opcode::kJump, Operand::Index(3)}, {Opcode::kEndOfTemplate}}), "code.size");
  EXPECT_DEATH(RunCode({{Opcode::kJump, Operand::Index(0)}, {Opcode::kEndOfTemplate}}), "target.index >= 1");
  // Code without a final return runs off its end.
  EXPECT_DEATH(RunCode({{Opcode::kNop}}), "pc_ <");
}

TEST_F(MachineChecksDeathTest, CallsWithoutTheirArgumentsStop) {
  RLSFunktion* callee = r_.program.functions().Find("len");
  ASSERT_NE(callee, nullptr);
  // A count of two over a single argument.
  EXPECT_DEATH(RunCode({{Opcode::kAssign, Operand::Stack(), Constant(1)},
                        {Opcode::kArgumentCount, Operand::Index(2)},
                        {Opcode::kCall, Operand::Function(callee)},
                        {Opcode::kEndOfTemplate}}),
               "integer\\(\\)");
  // No count at all.
  EXPECT_DEATH(RunCode({{Opcode::kCall, Operand::Function(callee)}, {Opcode::kEndOfTemplate}}), "FrameTop");
}

}  // namespace
}  // namespace velmora::script
#endif
