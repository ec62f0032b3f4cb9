# Two entry points: `make run` and `make test`. Both install what is missing, then build.
BUILD     ?= build
SANITIZE  ?= 0
JOBS      ?= $(shell nproc)

ifeq ($(SANITIZE),1)
  BUILD := build-sanitize
  CMAKE_FLAGS += -DKRV_SANITIZE=ON
endif

# Running needs only the first list; tests, benchmarks and fuzzing each install their own extras.
RUN_PACKAGES   := cmake g++ make pkg-config qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev \
                  libssl-dev fonts-wine fonts-liberation2 fonts-dejavu-core fonts-dejavu-extra \
                  libcups2-dev qt6-translations-l10n
TEST_PACKAGES  := openssl poppler-utils cups cups-client cups-bsd xvfb xauth openbox desktop-file-utils \
                  dbus at-spi2-core xsettingsd x11-xserver-utils weston qt6-wayland \
                  adwaita-qt6
BENCH_PACKAGES := libbenchmark-dev libxdamage-dev xvfb xauth openbox x11-utils valgrind
FUZZ_PACKAGES  := clang libclang-rt-dev

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: run test deps test-deps build bench fuzz clean

# Installs those of the given packages that are missing.
define install_missing
	@missing=$$(for p in $(1); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi
endef

deps:
	$(call install_missing,$(RUN_PACKAGES))

test-deps: deps
	$(call install_missing,$(TEST_PACKAGES))

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS) >/dev/null
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "make run: no display found (DISPLAY and WAYLAND_DISPLAY are unset); start it from a desktop session."; exit 1; \
	fi
	./$(BUILD)/app/krv11007

test: test-deps build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: deps
	$(call install_missing,$(BENCH_PACKAGES))
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DKRV_BENCHMARKS=ON >/dev/null
	cmake --build build-bench -j $(JOBS)

fuzz: deps
	$(call install_missing,$(FUZZ_PACKAGES))
	CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKRV_FUZZ=ON >/dev/null
	cmake --build build-fuzz -j $(JOBS)

clean:
	rm -rf build build-sanitize build-bench build-fuzz
