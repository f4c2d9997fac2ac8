# Quick start: `make demo` opens the window on a seeded demo profile; `make test` builds and runs every test.
# Everything is built under build/; the program lands at build/PluginSwitch.exe.

JOBS ?= 2
MAKEFLAGS += --no-print-directory
# Tests run the i686 build where this machine runs 32-bit code, the x86_64 build of the same sources otherwise. Asking
# starts wine, so only the targets that run wine ask, once bootstrap has installed it, and run make again with it.
TEST_DIR = build/$(TEST_ARCH)

.PHONY: all build test check demo fuzz bootstrap package sign msi release tidy bench

ifeq ($(TEST_ARCH),)
test check demo bench: bootstrap
	@$(MAKE) $@ TEST_ARCH=$$(scripts/test-arch)
endif

FUZZ_SECONDS ?= 60

all: build

bootstrap:
	@scripts/bootstrap

build/%/CMakeCache.txt:
	@cmake --preset mingw-$* >/dev/null

build: bootstrap build/i686/CMakeCache.txt
	$(if $(WERROR),@cmake -DPLUGINSWITCH_WERROR=$(WERROR) build/i686 >/dev/null)
	@cmake --build build/i686 -j$(JOBS) --target PluginSwitch
	@cp build/i686/PluginSwitch.exe build/PluginSwitch.exe
	@echo "build: build/PluginSwitch.exe"

ifneq ($(TEST_ARCH),)
# make test builds with warnings as errors (PLUGINSWITCH_WERROR, for both compilers), so CI enforces it. make check is
# the quick loop: every test but the slow ones (rebuilds, the fuzz run).
test check: WERROR = ON
test check: build $(TEST_DIR)/CMakeCache.txt
	@cmake -DPLUGINSWITCH_WERROR=ON $(TEST_DIR) >/dev/null
	@cmake --build $(TEST_DIR) -j$(JOBS)
	@scripts/test-session $(TEST_DIR) -j$(JOBS) $(if $(filter check,$@),-LE slow)

demo: build $(TEST_DIR)/CMakeCache.txt
	@cmake --build $(TEST_DIR) -j$(JOBS) --target PluginSwitch windowctl
	@scripts/demo $(TEST_DIR)
endif

fuzz: bootstrap
	@scripts/fuzz $(FUZZ_SECONDS)

# Benchmarks: the tests' build against floors built beside it, and the size of the shipped i686 program. Prints the
# table and writes build/bench/results.md and build/bench/load-scaling.png. A missed target is reported, not failed.
BENCH_DIR ?= $(TEST_DIR)
SIZE_DIR ?= build/i686
BENCH_REPS ?= 15
BENCH_STARTS ?= 31

ifneq ($(TEST_ARCH),)
bench: bootstrap $(BENCH_DIR)/CMakeCache.txt $(SIZE_DIR)/CMakeCache.txt
	@cmake --build $(BENCH_DIR) -j$(JOBS) --target benchmarks
	@cmake --build $(SIZE_DIR) -j$(JOBS) --target PluginSwitch SizeFloor
	@scripts/bench $(BENCH_DIR) $(SIZE_DIR) build/bench $(BENCH_REPS) $(BENCH_STARTS)
endif

# The shipped zip: build/PluginSwitch-<version>-win32.zip with build/PluginSwitch.exe, README.md, LICENSE and
# THIRD-PARTY-NOTICES.txt.
define pack-zip
	@cpack -G ZIP --config build/i686/CPackConfig.cmake -B build -D PLUGINSWITCH_PACKED_PROGRAM=$(CURDIR)/build/PluginSwitch.exe \
	  >build/package.log || (cat build/package.log; exit 1)
	@sed -n 's/^CPack: - package: \(.*\) generated\./package: \1/p' build/package.log
	@rm -rf build/_CPack_Packages build/package.log
endef
package: build
	$(pack-zip)

# The installer: build/PluginSwitch-<version>.msi, a per-user install of build/PluginSwitch.exe (installer/).
VERSION := $(shell sed -n 's/^project.PluginSwitch VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
MSI := build/PluginSwitch-$(VERSION).msi
define make-msi
	@wixl -D Version=$(VERSION) -D Program=build/PluginSwitch.exe -D Icon=app/PluginSwitch.ico \
	  -D Notices=build/i686/THIRD-PARTY-NOTICES.txt -o $(MSI) \
	  installer/PluginSwitch.wxs
	@echo "msi: $(MSI)"
endef
msi: build
	$(make-msi)

# Signs the program, then makes the installer of the signed program and signs it too; scripts/sign names the
# variables it takes (SIGN_CERT and SIGN_KEY, or SIGN_PFX and SIGN_PASS; SIGN_TSA).
sign: build
	@scripts/sign build/PluginSwitch.exe
	$(make-msi)
	@scripts/sign $(MSI)

# The zip and the installer, both of the signed program and the installer signed when a certificate is given, and
# build/SHA256SUMS of the two.
release: $(if $(SIGN_CERT)$(SIGN_PFX),sign,msi)
	$(pack-zip)
	@cd build && sha256sum PluginSwitch-$(VERSION)-win32.zip PluginSwitch-$(VERSION).msi >SHA256SUMS
	@echo "release: build/SHA256SUMS"

# The CI workflows' schema validator, from the npm registry at a fixed version, installed into the build folder.
ACTION_VALIDATOR := build/tools/node_modules/.bin/action-validator
$(ACTION_VALIDATOR):
	@npm install --prefix build/tools --no-audit --no-fund --silent @action-validator/cli@0.6.0 \
	  @action-validator/core@0.6.0

# clang-tidy (.clang-tidy) over the program's sources, with the compile commands of a clang MinGW-w64 configure; then
# clang-format (.clang-format) checks the layout of every C++ file, and a schema validator the CI workflows.
FORMATTED := $(sort $(wildcard app/*.cpp app/*.h ui/*.cpp ui/*.h registry/*.cpp registry/*.h bench/*.cpp bench/*.h \
  bench/*/*.cpp tests/*/*.cpp tests/*/*.h))
tidy: bootstrap $(ACTION_VALIDATOR)
	@cmake --no-warn-unused-cli -S . -B build/tidy --toolchain cmake/clang-mingw-w64.cmake -DPLUGINSWITCH_ARCH=i686 \
	  -DCMAKE_BUILD_TYPE=Release -DCMAKE_EXPORT_COMPILE_COMMANDS=ON -DBUILD_TESTING=OFF -DPLUGINSWITCH_BENCH=OFF >/dev/null
	@clang-tidy-14 -p build/tidy --quiet $(sort $(wildcard app/*.cpp ui/*.cpp registry/*.cpp)) 2>build/tidy/stderr.log \
	  || (grep -v 'warnings generated' build/tidy/stderr.log; exit 1)
	@echo "tidy: app/ ui/ registry/ are clean"
	@clang-format-14 --dry-run -Werror $(FORMATTED)
	@echo "tidy: every C++ file is formatted"
	@for workflow in .github/workflows/*.yml; do $(ACTION_VALIDATOR) $$workflow || exit 1; done
	@echo "tidy: the CI workflows validate"

