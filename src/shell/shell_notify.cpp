// Shell-notify messages.
#include "shell/shell_notify.hpp"

#include <array>

#include "shell/record_writer.hpp"
#include "shell/shell_queue.hpp"

namespace {

ShellQueue& shellNotifyQueue() {
  static ShellQueue& queue = *new ShellQueue("/QueueNameOfShellNotifyMessage",
                                             static_cast<long>(kShellNotifyMessageBytes),
                                             u"Cannot open Shell Notify message queue!\n");
  return queue;
}

}  // namespace

bool SendShellNotify(std::uint32_t code, std::uint32_t first, std::uint32_t second) {
  if ((code != 1 && code != 2) || first == 0) return false;
  std::array<std::uint8_t, kShellNotifyMessageBytes> message{};
  RecordWriter out(message);
  out.putWord(0, code);
  out.putWord(4, first);
  out.putWord(8, second);
  return shellNotifyQueue().send(message);
}
