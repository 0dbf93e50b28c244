// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/XServer.h"

#include <unistd.h>

#include <csignal>
#include <cstdlib>

#include "support/TestSupport.h"

PrivateXServer::PrivateXServer(int width, int height) {
  const char* old = getenv("DISPLAY");
  m_fHadDisplay = old != nullptr;
  if (old) m_oldDisplay = old;

  // The server picks a free display number itself and writes it out, so that servers started
  // at the same moment by other tests never collide.
  m_pServer = std::make_unique<ChildProcess>(
      std::vector<std::string>{"/usr/bin/Xvfb", "-displayfd", "1", "-screen", "0",
                               std::to_string(width) + "x" + std::to_string(height) + "x24",
                               "-nolisten", "tcp", "-noreset"});
  std::string number;
  for (int i = 0; i < 3000 && number.find('\n') == std::string::npos && m_pServer->Running(); ++i) {
    usleep(10000);
    number = m_pServer->Stdout();
  }
  if (number.find('\n') == std::string::npos) {
    m_error = "Xvfb did not start: " + m_pServer->Stderr();
    return;
  }
  m_display = ":" + number.substr(0, number.find('\n'));
  setenv("DISPLAY", m_display.c_str(), 1);
}

PrivateXServer::~PrivateXServer() {
  if (m_fHadDisplay)
    setenv("DISPLAY", m_oldDisplay.c_str(), 1);
  else
    unsetenv("DISPLAY");
  // Asked to end, the server removes its lock file and socket; killed, it would leave them.
  if (m_pServer && m_pServer->Running()) {
    kill(m_pServer->Pid(), SIGTERM);
    m_pServer->WaitExit(10.0, nullptr);
  }
  m_pServer.reset();
}
