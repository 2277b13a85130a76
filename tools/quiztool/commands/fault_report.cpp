// The faults of a quiz file printed for its author, with their count.
#include "tools/quiztool/commands/fault_report.h"

#include <cstdio>

#include "tools/quiztool/messages/messages.h"

void reportFaults(const std::string& quizFile, const Faults& faults) {
  for (const std::string& message : faults.messages) std::fprintf(stderr, "%s\n", message.c_str());
  const std::string count = counted(faults.count, Msg::errorsOne, Msg::errorsMany);
  const std::string total =
      faults.count > faults.messages.size()
          ? say(Msg::faultTotalCapped, {quizFile, count, std::to_string(faults.messages.size())})
          : say(Msg::faultTotal, {quizFile, count});
  std::fprintf(stderr, "%s\n", total.c_str());
}
