# Two entry points: `make run` and `make test`. Both install what is missing, then build.
BUILD     ?= build
SANITIZE  ?= 0
JOBS      ?= $(shell nproc)

ifeq ($(SANITIZE),1)
  BUILD := build-sanitize
  CMAKE_FLAGS += -DKRV_SANITIZE=ON
endif

PACKAGES := cmake g++ make pkg-config qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev \
            libssl-dev openssl fonts-wine fonts-liberation2 fonts-dejavu-core fonts-dejavu-extra \
            poppler-utils cups cups-client cups-bsd xvfb xauth libbenchmark-dev libxdamage-dev

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: run test deps build bench fuzz clean

deps:
	@missing=$$(for p in $(PACKAGES); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS) >/dev/null
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "make run: no display found (DISPLAY and WAYLAND_DISPLAY are unset); start it from a desktop session."; exit 1; \
	fi
	./$(BUILD)/app/krv11007

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DKRV_BENCHMARKS=ON >/dev/null
	cmake --build build-bench -j $(JOBS)

fuzz: deps
	@dpkg-query -W clang libclang-rt-dev >/dev/null 2>&1 || { $(SUDO) apt-get update -qq && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq clang libclang-rt-dev; }
	CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKRV_FUZZ=ON >/dev/null
	cmake --build build-fuzz -j $(JOBS)

clean:
	rm -rf build build-sanitize build-bench build-fuzz
