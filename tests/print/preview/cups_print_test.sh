#!/bin/bash
# Runs tst_cupsprint and tst_cupsoptions against a private CUPS scheduler: its own configuration, socket,
# spool and logs in a temporary folder, reached through CUPS_SERVER; the machine's own scheduler is never
# touched. The scheduler is stopped on every way out, and every step has a time limit.
#   cups_print_test.sh <tst_cupsprint executable> <tst_cupsoptions executable>
set -u

test_program=$1
options_program=$2
queue=krvtest
options_queue=krvopts
cupsd_pid=
work=$(mktemp -d /tmp/krv-cups.XXXXXX) || exit 1

# cupsd_pid is the time limit's process, which passes TERM on to the scheduler; the scheduler's own
# pid file names it in case it outlives that.
stop_scheduler() {
    [ -n "$cupsd_pid" ] || return 0
    scheduler=$(cat "$work/state/cupsd.pid" 2>/dev/null)
    kill -TERM "$cupsd_pid" 2>/dev/null
    for _ in $(seq 50); do
        kill -0 "$cupsd_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -KILL "$cupsd_pid" 2>/dev/null
    wait "$cupsd_pid" 2>/dev/null
    if [ -n "$scheduler" ] && kill -0 "$scheduler" 2>/dev/null; then
        kill -KILL "$scheduler" 2>/dev/null
    fi
    cupsd_pid=
}

# The user the login test signs in as, made for this run only: an existing user's password stays
# untouched.
login_user=krvprint$$
login_user_created=

finish() {
    status=$?
    stop_scheduler
    [ -n "$login_user_created" ] && userdel "$login_user" 2>/dev/null
    if [ "$status" -ne 0 ] && [ -f "$work/log/error_log" ]; then
        echo "--- scheduler errors:"
        grep -E '^[EW] ' "$work/log/error_log" | tail -n 20
    fi
    rm -rf "$work"
    exit "$status"
}
trap finish EXIT
trap 'exit 130' INT TERM HUP

if [ "$(id -u)" -ne 0 ]; then
    echo "SKIP: the private scheduler runs its filters as the lp user, which needs root"
    exit 77
fi

mkdir -p "$work"/{root/ppd,spool,tmp,cache,state,log,out,home}
chmod 755 "$work"
chmod 1777 "$work/tmp" "$work/out" # filters run as lp and write the queue's output file

cat >"$work/cupsd.conf" <<CONF
Listen $work/cups.sock
LogLevel debug
WebInterface No
Browsing Off
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF

cat >"$work/cups-files.conf" <<CONF
ServerRoot $work/root
RequestRoot $work/spool
TempDir $work/tmp
CacheDir $work/cache
StateDir $work/state
AccessLog $work/log/access_log
ErrorLog $work/log/error_log
PageLog $work/log/page_log
FileDevice Yes
SystemGroup root
CONF

# Starts the scheduler and waits until it answers. The time limit is a hard one of its own, in case
# this script is killed before it can stop the scheduler.
#   start_scheduler <seconds>
start_scheduler() {
    timeout --signal=TERM --kill-after=5 "$1" /usr/sbin/cupsd -f -c "$work/cupsd.conf" -s "$work/cups-files.conf" \
        >"$work/log/stdout" 2>&1 &
    cupsd_pid=$!
    deadline=$((SECONDS + 30))
    while [ "$SECONDS" -lt "$deadline" ]; do
        timeout 5 lpstat -r 2>/dev/null | grep -q 'is running' && break
        kill -0 "$cupsd_pid" 2>/dev/null || { echo "FAIL: the scheduler did not start"; cat "$work/log/stdout"; exit 1; }
        sleep 0.1
    done
    timeout 5 lpstat -r 2>/dev/null | grep -q 'is running' || { echo "FAIL: the scheduler does not answer"; exit 1; }
}

export CUPS_SERVER="$work/cups.sock"
export HOME="$work/home" # no user's lpoptions choose another default printer
unset LPDEST PRINTER
export QT_QPA_PLATFORM=offscreen
# Only matters in a sanitizer build.
export LSAN_OPTIONS="suppressions=$(dirname "$0")/libcups.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

# The first scheduler's limit outlasts the limits of all steps it serves together (30 + 60 + 30 + 30 + 5
# + 120 + 10 + 60 + 10 + 30 + 30 + 30 + 5 + 120 s); the second's, the steps it serves (30 + 60 s); the
# third's, its own (30 + 30 + 30 + 180 s). All together end before CTest's 1100 s.
start_scheduler 580

echo "=== without a printer queue"
timeout 60 "$test_program" noPrinterInstalled || exit 1

echo "=== with a queue that prints into $work/out/job.pdf, and an instance of it"
location="Földszint, 12-es iroda"
instance=masolat
timeout 30 lpadmin -p "$queue" -E -v "file://$work/out/job.pdf" -L "$location" \
    -P /usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd 2>&1 | grep -v deprecated
timeout 30 lpadmin -d "$queue" || exit 1
timeout 5 lpstat -p "$queue" >/dev/null || { echo "FAIL: the queue was not added"; exit 1; }
# An instance, in the file where lpoptions keeps a user's instances; run as root, lpoptions does not
# keep it there.
mkdir -p "$HOME/.cups" && echo "Dest $queue/$instance job-priority=50" >"$HOME/.cups/lpoptions" || exit 1

KRV_CUPS_OUTPUT="$work/out/job.pdf" KRV_CUPS_PRINTER="$queue" KRV_CUPS_INSTANCE="$instance" \
    KRV_CUPS_LOCATION="$location" timeout 120 "$test_program" printsCollatedCopiesThroughCups \
    printsIntoPrnFileAsPdf printsWhileFilesCannotGrow || exit 1

echo "=== with the queue refusing jobs"
timeout 10 cupsreject "$queue" || exit 1
KRV_CUPS_PRINTER="$queue" timeout 60 "$test_program" jobTheQueueRefusesIsReported || exit 1
timeout 10 cupsaccept "$queue" || exit 1

echo "=== with a second queue, the default now, whose options come from krvoptions.ppd, a class of it, and a raw queue"
timeout 30 lpadmin -p "$options_queue" -E -v "file://$work/out/options.pdf" -P "$(dirname "$0")/krvoptions.ppd" \
    2>&1 | grep -v deprecated
timeout 30 lpadmin -d "$options_queue" || exit 1
timeout 30 lpadmin -p krvraw -E -v "file://$work/out/raw.out" || exit 1
timeout 30 lpadmin -p "$options_queue" -c krvclass || exit 1
timeout 5 lpstat -p "$options_queue" >/dev/null || { echo "FAIL: the queue was not added"; exit 1; }

# A Hungarian user: the PPD's Hungarian captions are shown.
LC_ALL=hu_HU.UTF-8 KRV_CUPS_PRINTER="$options_queue" KRV_CUPS_RAW_PRINTER=krvraw KRV_CUPS_CLASS=krvclass \
    timeout 120 "$options_program" || exit 1

echo "=== with the scheduler restarted to take no request over 16 KiB, less than the document"
stop_scheduler
echo "MaxRequestSize 16k" >>"$work/cupsd.conf"
start_scheduler 120
KRV_CUPS_PRINTER="$options_queue" timeout 60 "$test_program" documentTheSchedulerRefusesIsReportedAndCancelled || exit 1

echo "=== with the scheduler restarted to want a login for jobs on a third queue, the default now"
stop_scheduler
# The program reaches this scheduler over TCP: over its local socket the scheduler takes the peer's
# user id for a login and never asks for one.
login_port=
for _ in $(seq 20); do
    candidate=$(shuf -i 20000-60999 -n 1)
    if ! (exec 3<>"/dev/tcp/127.0.0.1/$candidate") 2>/dev/null; then
        login_port=$candidate
        break
    fi
done
[ -n "$login_port" ] || { echo "FAIL: no free port for the scheduler"; exit 1; }
sed -i -e '/^MaxRequestSize/d' -e 's/^DefaultAuthType None$/DefaultAuthType Basic/' "$work/cupsd.conf"
cat >>"$work/cupsd.conf" <<CONF
Listen 127.0.0.1:$login_port
<Policy login>
  <Limit Create-Job Print-Job Print-URI Validate-Job Send-Document>
    AuthType Basic
    Require valid-user
    Order deny,allow
  </Limit>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
start_scheduler 280
# The scheduler checks a login against the system's users (PAM).
useradd --no-create-home --shell /usr/sbin/nologin "$login_user" || exit 1
login_user_created=1
login_password=$(head -c 12 /dev/urandom | base64)
echo "$login_user:$login_password" | chpasswd || exit 1
timeout 30 lpadmin -p krvlogin -E -o printer-op-policy=login -v "file://$work/out/login.pdf" \
    -P /usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd 2>&1 | grep -v deprecated
timeout 30 lpadmin -d krvlogin || exit 1
CUPS_SERVER="127.0.0.1:$login_port" KRV_CUPS_PRINTER=krvlogin KRV_CUPS_OUTPUT="$work/out/login.pdf" \
    KRV_CUPS_LOGIN_USER="$login_user" KRV_CUPS_LOGIN_PASSWORD="$login_password" timeout 180 "$test_program" \
    loginNotGivenIsReported printsAfterALogin || exit 1
