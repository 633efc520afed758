# Thin front over CMake: `make` builds both Windows programs, `make check`
# runs every test, `make demo` shows an uninstall on an emulated Windows 95.
# Each installs what is missing first (Debian 12, as root or through sudo).

PACKAGES := cmake g++ make g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine64 \
            googletest libgtest-dev python3 python3-pefile \
            debootstrap qemu-system-x86 e2fsprogs bc
PYTHON := /usr/bin/python3
SUDO := $(if $(filter 0,$(shell id -u)),,sudo)

.PHONY: all deps win32 win64 host check check-host check-exe check-wine check-guest demo clean

all: win32 win64

deps:
	@missing=$$(for p in $(PACKAGES); do dpkg -s $$p >/dev/null 2>&1 || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "installing:" $$missing; \
	  $(SUDO) apt-get update -qq && \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $$missing; \
	fi

win32 win64 host: deps
	cmake --preset $@ >/dev/null
	cmake --build --preset $@ -j2

check: check-host check-exe check-wine check-guest

check-host: host
	ctest --preset host

# The shipped file itself: what Windows 95 needs to load it, and the same
# bytes from a second clean build.
check-exe: win32
	$(PYTHON) tests/pe/check_shipped_exe.py build/win32/zorpurge.exe
	rm -rf build/win32-again
	cmake -S . -B build/win32-again --toolchain cmake/toolchain-mingw-i686.cmake \
	  -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
	cmake --build build/win32-again --target zorpurge >/dev/null
	cmp build/win32/zorpurge.exe build/win32-again/zorpurge.exe
	@echo "PASS two clean builds give identical bytes"

check-wine: win64
	tests/scenarios/run-host.sh

check-guest: win32
	tests/scenarios/run-guest.sh

demo: win64
	demo/demo.sh

clean:
	rm -rf build
