#!/usr/bin/env bash
# Times the demo generator and every recompute and search procedure on a
# private cluster.  Prints figures; asserts nothing.
#   bash bench/db/run.sh [scale] [runs] [months]
#   (scale 1, 5 runs each, 36 months by default; 3.3 and 60 months make a
#   500-bed hospital over five years)
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
source "$ROOT/scripts/lib/pg.sh"
SCALE=${1:-1} RUNS=${2:-5} MONTHS=${3:-36}

WORK=$(mktemp -d /tmp/pelmar-bench.XXXXXX)
DATA=$WORK/data SOCK=$WORK/sock PORT=$((20000 + RANDOM % 20000)) DB=pelmar_bench
chmod 755 "$WORK"
cleanup() { pg_stop "$DATA"; rm -rf "$WORK"; }
trap cleanup EXIT
pg_init "$DATA" "$SOCK"
pg_start "$DATA" "$SOCK" "$PORT" "$WORK/server.log"
pg_create_db "$SOCK" "$PORT" "$DB"
pg_apply_schema "$SOCK" "$PORT" "$DB" >/dev/null
q() { pg_psql "$SOCK" "$PORT" "$DB" "$@"; }

echo "== demo data, scale $SCALE, $MONTHS months of history ending 2026-11-30"
start=$(date +%s.%N)
q -v scale="$SCALE" -v months="$MONTHS" -v history_end=2026-11-30 -f - < "$ROOT/db/demo/generate.sql" \
    | grep -A3 -E '^ *patients' || true
printf 'generated in %.1f s\n' "$(echo "$(date +%s.%N) - $start" | bc)"
q -Atc "VACUUM ANALYZE" >/dev/null

# A month in the middle of the history, its first day and its last.
M1=06/01/2025 M2=06/30/2025 D=06/16/2025

# time_it LABEL STATEMENT: RUNS separate transactions; min, median and max in ms.
time_it() {
    local label=$1 stmt=$2
    { echo '\timing on'; for _ in $(seq "$RUNS"); do echo "$stmt;"; done; } \
        | q -o /dev/null 2>&1 | sed -n 's/^Time: \([0-9.]*\) ms.*/\1/p' | sort -n \
        | awk -v l="$label" '{ t[NR] = $1 } END { printf "%-58s %9.1f %9.1f %9.1f\n", l, t[1], t[int((NR + 1) / 2)], t[NR] }' \
        || printf '%-58s failed\n' "$label"
}

printf '\n%-58s %9s %9s %9s\n' "procedure ($RUNS runs, ms)" min median max
time_it "sp_Rep_MonthlyREcompute LB month"          "SELECT reports.sp_rep_monthlyrecompute('$M1', '$M2', 'LB', 'N')"
time_it "sp_Rep_MonthlyREcompute PH month"          "SELECT reports.sp_rep_monthlyrecompute('$M1', '$M2', 'PH', 'N')"
time_it "sp_Rep_MonthlyREcompute AP month flag Y"   "SELECT reports.sp_rep_monthlyrecompute('$M1', '$M2', 'AP', 'Y')"
time_it "sp_Rep_MonthlyREcompute OR month"          "SELECT reports.sp_rep_monthlyrecompute('$M1', '$M2', 'OR', 'N')"
time_it "sp_Rep_DumpDailySummaryOfDischarges"       "SELECT reports.sp_rep_dumpdailysummaryofdischarges('$D')"
time_it "sp_RepRecomputeExtensionInPatient"         "SELECT reports.sp_reprecomputeextensioninpatient('$D')"
time_it "sp_Rep_GetComputedInPatients"              "SELECT * FROM reports.sp_rep_getcomputedinpatients('$D')"
time_it "sp_Rep_DumpDailySummaryOfServices"         "SELECT reports.sp_rep_dumpdailysummaryofservices('$D')"
time_it "sp_RepRecomputeExtensionOutPatient"        "SELECT reports.sp_reprecomputeextensionoutpatient('$D')"
time_it "sp_Rep_GetComputedOutPatients"             "SELECT * FROM reports.sp_rep_getcomputedoutpatients('$D')"
time_it "REPORTS sp_BILLING_RepAgingRecompute (2)"  "SELECT reports.sp_billing_repagingrecompute('$M1', '$M2')"
time_it "REPORTS sp_BILLING_RepAgingRecompute A"    "SELECT reports.sp_billing_repagingrecompute('$M1', '$M2', 'A')"
time_it "sp_BILLING_RepAgingPayableRecompute"       "SELECT reports.sp_billing_repagingpayablerecompute('$M1', '$M2')"
time_it "Billing sp_BILLING_RepAgingRecompute"      "SELECT billing.sp_billing_repagingrecompute('$M1', '$M2')"
time_it "Billing ...RecomputeClass '02'"            "SELECT billing.sp_billing_repagingrecomputeclass('$M1', '$M2', '02')"
time_it "Billing ...RecomputeAccountNum"            "SELECT billing.sp_billing_repagingrecomputeaccountnum('$M1', '$M2', 'C-0001')"
time_it "Billing ...RecomputePeriod 19"             "SELECT billing.sp_billing_repagingrecomputeperiod('$M1', '$M2', 19)"
time_it "Billing ...RecomputeClassPeriod '03' 19"   "SELECT billing.sp_billing_repagingrecomputeclassperiod('$M1', '$M2', '03', 19)"
time_it "Billing ...RecomputeAccountNumPeriod 19"   "SELECT billing.sp_billing_repagingrecomputeaccountnumperiod('$M1', '$M2', 'C-0001', 19)"
time_it "Patient_Data sp_Adm_Statistics month"      "SELECT patient_data.sp_adm_statistics('$M1', '$M2')"
time_it "Patient_Data sp_Adm_Statistics year"       "SELECT patient_data.sp_adm_statistics('01/01/2025', '12/31/2025')"
time_it "sp_Rep_SearchCompany ''"                   "SELECT * FROM reports.sp_rep_searchcompany('')"
time_it "sp_Rep_SearchCompany 'SAN'"                "SELECT * FROM reports.sp_rep_searchcompany('SAN')"
time_it "sp_Rep_SearchClass 'CORP'"                 "SELECT * FROM reports.sp_rep_searchclass('CORP')"
time_it "sp_Rep_SearchPeriod '2025'"                "SELECT * FROM reports.sp_rep_searchperiod('2025')"
time_it "sp_Rep_SearchMiscellaneousRevenue 'M'"     "SELECT * FROM reports.sp_rep_searchmiscellaneousrevenue('0', 'M')"
time_it "sp_Rep_UpdateMiscellaneous"                "SELECT reports.sp_rep_updatemiscellaneous('S5', 'SUNDRY INCOME')"
time_it "template read: month of logbook rows LB"   "SELECT count(*) FROM reports.vw_daily_logbook WHERE business_date BETWEEN '2025-06-01' AND '2025-06-30' AND dept_code = 'LB'"
time_it "template read: account status as of a day" "SELECT admission_no, sum(amount) FROM billing.vw_patient_account_status WHERE entry_date <= '2025-06-16' AND admission_date <= '2025-06-16' AND (discharge_date IS NULL OR discharge_date > '2025-06-16') GROUP BY admission_no"
