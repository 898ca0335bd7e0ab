#!/usr/bin/env bash
# Installs what is missing, builds Orvanta and runs it. When the user's own settings name
# no COM port that exists here, Orvanta runs against the simulated sensor instead, in a
# private config home, so the user's own settings are never touched.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

orvanta_install_packages
orvanta_build

config_home=${XDG_CONFIG_HOME:-$HOME/.config}

# The device COM n stands for, as Orvanta resolves it.
com_device() {
  local link="$config_home/KerrwickSystems/dosdevices/com$1"
  if [ -e "$link" ]; then echo "$link"; else echo "/dev/ttyS$(($1 - 1))"; fi
}

stored_port() {
  local settings="$config_home/KerrwickSystems.conf"
  [ -f "$settings" ] || return 0
  sed -n 's/^frmOrvanta\.comport=\([0-9]*\)$/\1/p' "$settings" | head -n 1
}

port=$(stored_port)
if [ -n "$port" ] && [ "$port" -gt 0 ] && [ -c "$(readlink -f "$(com_device "$port")")" ]; then
  echo "Running Orvanta on COM$port ($(com_device "$port"))"
  exec "$ORVANTA_BUILD/app/orvanta"
fi

sim_home=$(mktemp -d /tmp/orvanta-sim.XXXXXX)
stop_all() {
  kill ${orvanta_pid:-} ${sim_pid:-} 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$sim_home"
}
trap stop_all EXIT
trap 'exit 130' INT TERM HUP
mkdir -p "$sim_home/KerrwickSystems"
cat > "$sim_home/KerrwickSystems.conf" <<CONF
[Orvanta]
frmOrvanta.Top=1200
frmOrvanta.Left=1200
frmOrvanta.cloudytemp=-25
frmOrvanta.vcloudytemp=-10
frmOrvanta.comport=1
frmOrvanta.loginterval=1
frmOrvanta.tempunit=0
frmOrvanta.ontopf=0
frmOrvanta.cafc=0
frmOrvanta.cafk=0
frmOrvanta.cafv=0
frmOrvanta.cafw=1
frmOrvanta.catv=1
frmOrvanta.catb=0
frmOrvanta.cats=0
frmOrvanta.logfile=$sim_home/orvanta-log.txt
frmOrvanta.datafile=$sim_home/orvanta-data.txt
CONF
"$ORVANTA_BUILD/tools/sensor-sim/sensor-sim" --link "$sim_home/KerrwickSystems/dosdevices/com1" \
  --layout D --interval 3 &
sim_pid=$!
for _ in $(seq 50); do [ -e "$sim_home/KerrwickSystems/dosdevices/com1" ] && break; sleep 0.1; done
echo "No sensor configured: Orvanta runs against the simulated sensor on COM1."
echo "Its settings, log and data files are in $sim_home (removed on exit)."
XDG_CONFIG_HOME=$sim_home "$ORVANTA_BUILD/app/orvanta" &
orvanta_pid=$!
wait "$orvanta_pid"
