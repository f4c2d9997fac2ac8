# Quick start: `make demo` opens the window on a seeded demo profile; `make test` builds and runs every test.
# Everything is built under build/; the program lands at build/PluginSwitch.exe.

JOBS ?= 2
# Tests run the i686 build where this machine runs 32-bit code, the x86_64 build of the same sources otherwise.
TEST_ARCH := $(shell scripts/test-arch)
TEST_DIR := build/$(TEST_ARCH)

.PHONY: all build test demo fuzz bootstrap

FUZZ_SECONDS ?= 60

all: build

bootstrap:
	@scripts/bootstrap

build/%/CMakeCache.txt:
	@cmake --preset mingw-$* >/dev/null

build: bootstrap build/i686/CMakeCache.txt
	@cmake --build build/i686 -j$(JOBS) --target PluginSwitch
	@cp build/i686/PluginSwitch.exe build/PluginSwitch.exe
	@echo "build: build/PluginSwitch.exe"

test: build $(TEST_DIR)/CMakeCache.txt
	@cmake --build $(TEST_DIR) -j$(JOBS)
	@scripts/test-session $(TEST_DIR) -j$(JOBS)

demo: build $(TEST_DIR)/CMakeCache.txt
	@cmake --build $(TEST_DIR) -j$(JOBS) --target PluginSwitch windowctl
	@scripts/demo $(TEST_DIR)

fuzz: bootstrap
	@scripts/fuzz $(FUZZ_SECONDS)
