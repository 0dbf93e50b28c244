// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestSupport.h"

#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

std::string TempFile() {
  char name[] = "/tmp/quillmere-io-XXXXXX";
  close(mkstemp(name));
  return name;
}

}  // namespace

TempDir::TempDir() {
  char pattern[] = "/tmp/quillmere-test-XXXXXX";
  if (!mkdtemp(pattern)) throw std::runtime_error("mkdtemp failed");
  m_path = pattern;
}

TempDir::~TempDir() {
  // A test may have taken permissions away; they come back so that removal works.
  RunProcess({"/bin/chmod", "-R", "u+rwx", m_path});
  std::error_code ec;
  std::filesystem::remove_all(m_path, ec);
}

ChildProcess::ChildProcess(const std::vector<std::string>& argv,
                           const std::vector<std::string>& env)
    : m_outPath(TempFile()), m_errPath(TempFile()) {
  m_pid = fork();
  if (m_pid != 0) return;
  // A test program that dies without running its destructors takes its children along.
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  dup2(open(m_outPath.c_str(), O_WRONLY), 1);
  dup2(open(m_errPath.c_str(), O_WRONLY), 2);
  for (const std::string& entry : env)
    entry[0] == '-' ? unsetenv(entry.c_str() + 1) : putenv(strdup(entry.c_str()));
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  execv(args[0], args.data());
  _exit(127);
}

ChildProcess::~ChildProcess() {
  if (Running()) {
    kill(m_pid, SIGKILL);
    WaitExit(-1.0, nullptr);
  }
  unlink(m_outPath.c_str());
  unlink(m_errPath.c_str());
}

bool ChildProcess::WaitExit(double seconds, int* status) {
  for (double waited = 0.0; m_status == -2; waited += 0.02) {
    int raw = 0;
    if (waitpid(m_pid, &raw, seconds < 0.0 ? 0 : WNOHANG) == m_pid)
      m_status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    else if (waited >= seconds)
      return false;
    else
      usleep(20000);
  }
  if (status) *status = m_status;
  return true;
}

std::string ChildProcess::Stdout() const {
  return ReadFile(m_outPath);
}

std::string ChildProcess::Stderr() const {
  return ReadFile(m_errPath);
}

ProcessResult RunProcess(const std::vector<std::string>& argv,
                         const std::vector<std::string>& env) {
  ChildProcess child(argv, env);
  ProcessResult result;
  child.WaitExit(-1.0, &result.status);
  result.out = child.Stdout();
  result.err = child.Stderr();
  return result;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

void WriteFile(const std::string& path, const std::string& data) {
  std::ofstream(path, std::ios::binary) << data;
}
