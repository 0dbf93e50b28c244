// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestSupport.h"

#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

TempDir::TempDir() {
  char pattern[] = "/tmp/quillmere-test-XXXXXX";
  if (!mkdtemp(pattern)) throw std::runtime_error("mkdtemp failed");
  m_path = pattern;
}

TempDir::~TempDir() {
  std::error_code ec;
  // A test may have taken write permission away; give it back so that removal works.
  for (auto& entry : std::filesystem::recursive_directory_iterator(m_path, ec))
    chmod(entry.path().c_str(), 0700);
  chmod(m_path.c_str(), 0700);
  std::filesystem::remove_all(m_path, ec);
}

namespace {
void ApplyEnvironment(const std::vector<std::string>& env) {
  for (const std::string& entry : env) {
    if (!entry.empty() && entry[0] == '-')
      unsetenv(entry.c_str() + 1);
    else
      putenv(strdup(entry.c_str()));
  }
}

// In a freshly forked child: runs the program with the environment changes, or exits 127.
[[noreturn]] void ExecChild(const std::vector<std::string>& argv,
                            const std::vector<std::string>& env) {
  ApplyEnvironment(env);
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  execv(args[0], args.data());
  _exit(127);
}

std::string ReadAll(int fd) {
  std::string data;
  char buf[4096];
  ssize_t n;
  while ((n = read(fd, buf, sizeof(buf))) > 0) data.append(buf, static_cast<size_t>(n));
  return data;
}
}  // namespace

ProcessResult RunProcess(const std::vector<std::string>& argv,
                         const std::vector<std::string>& env) {
  ProcessResult result;
  char outName[] = "/tmp/quillmere-out-XXXXXX";
  char errName[] = "/tmp/quillmere-err-XXXXXX";
  int outFd = mkstemp(outName);
  int errFd = mkstemp(errName);
  pid_t pid = fork();
  if (pid == 0) {
    dup2(outFd, 1);
    dup2(errFd, 2);
    ExecChild(argv, env);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  lseek(outFd, 0, SEEK_SET);
  lseek(errFd, 0, SEEK_SET);
  result.out = ReadAll(outFd);
  result.err = ReadAll(errFd);
  close(outFd);
  close(errFd);
  unlink(outName);
  unlink(errName);
  return result;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

void WriteFile(const std::string& path, const std::string& data) {
  std::ofstream out(path, std::ios::binary);
  out << data;
}

bool FileExists(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0;
}

ChildProcess::ChildProcess(const std::vector<std::string>& argv,
                           const std::vector<std::string>& env) {
  char errName[] = "/tmp/quillmere-child-XXXXXX";
  int errFd = mkstemp(errName);
  m_errPath = errName;
  m_pid = fork();
  if (m_pid == 0) {
    // A test program that dies without running its destructors takes its children along.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    dup2(errFd, 2);
    int devNull = open("/dev/null", O_WRONLY);
    dup2(devNull, 1);
    ExecChild(argv, env);
  }
  close(errFd);
}

ChildProcess::~ChildProcess() {
  if (Running()) {
    kill(m_pid, SIGKILL);
    waitpid(m_pid, nullptr, 0);
  }
  unlink(m_errPath.c_str());
}

bool ChildProcess::Running() {
  if (m_fExited || m_pid <= 0) return false;
  int status = 0;
  if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
    m_fExited = true;
    m_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return false;
  }
  return true;
}

bool ChildProcess::WaitExit(double seconds, int* status) {
  for (double waited = 0.0; waited <= seconds; waited += 0.02) {
    if (!Running()) {
      if (status) *status = m_status;
      return true;
    }
    usleep(20000);
  }
  return false;
}

std::string ChildProcess::Stderr() const {
  return ReadFile(m_errPath);
}
