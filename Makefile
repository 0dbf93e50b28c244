# SPDX-License-Identifier: GPL-3.0-or-later
# The two set-up commands (make play, make test) and the rest of the routine work.
BUILD      ?= build
ASAN_BUILD ?= build-asan
BENCH_BUILD ?= build-bench
PREFIX     ?= /usr/local
CMAKE_GEN  := -G Ninja

.PHONY: all deps play test test-normal test-asan test-one test-one-asan bench install deb clean \
        format

all: $(BUILD)/build.ninja
	cmake --build $(BUILD)

deps:
	@scripts/install-deps

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo

$(ASAN_BUILD)/build.ninja: | deps
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DQM_SANITIZE=ON

$(BENCH_BUILD)/build.ninja: | deps
	cmake -S . -B $(BENCH_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DQM_BENCH=ON -DQM_TESTS=OFF

play: deps $(BUILD)/build.ninja
	cmake --build $(BUILD)
	$(BUILD)/quillmere

test: deps
	$(MAKE) test-normal
	$(MAKE) test-asan

test-normal: $(BUILD)/build.ninja
	cmake --build $(BUILD)
	scripts/run-tests $(BUILD)

test-asan: $(ASAN_BUILD)/build.ninja
	cmake --build $(ASAN_BUILD)
	scripts/run-tests $(ASAN_BUILD)

# One case, or a GoogleTest pattern of cases, as `make test` runs it:
# make test-one T=Suite.Name (normal build), make test-one-asan T=Suite.Name (sanitizers).
test-one: $(BUILD)/build.ninja
	@test -n "$(T)" || { echo "usage: make test-one T=Suite.Name"; exit 2; }
	cmake --build $(BUILD) --target quillmere_tests
	cd $(BUILD)/tests && $(CURDIR)/scripts/test-env ./quillmere_tests --gtest_filter='$(T)'

test-one-asan: $(ASAN_BUILD)/build.ninja
	@test -n "$(T)" || { echo "usage: make test-one-asan T=Suite.Name"; exit 2; }
	cmake --build $(ASAN_BUILD) --target quillmere_tests
	cd $(ASAN_BUILD)/tests && $(CURDIR)/scripts/test-env ./quillmere_tests --gtest_filter='$(T)'

bench: deps $(BENCH_BUILD)/build.ninja
	cmake --build $(BENCH_BUILD)
	scripts/run-bench $(BENCH_BUILD)

install: deps $(BUILD)/build.ninja
	cmake --build $(BUILD)
	cmake --install $(BUILD) --prefix $(PREFIX)

# The Debian package (CPack), checked with lintian: errors fail the build, warnings are shown.
deb: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) --target quillmere quillmere_docs
	rm -f $(BUILD)/quillmere_*.deb
	cd $(BUILD) && cpack -G DEB
	lintian --fail-on error $(BUILD)/quillmere_*.deb

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(BENCH_BUILD)
