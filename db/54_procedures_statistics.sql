-- Hospital statistics of a period, by the usual census definitions:
--   inpatient service days  the midnight census of every day of the period,
--                           plus the patients admitted and discharged on
--                           the same day;
--   average daily census    service days / days of the period;
--   bed occupancy rate      service days / (active beds x days) x 100;
--   average length of stay  days of stay of the discharges / discharges
--                           (deaths count as discharges; a same-day stay is
--                           one day);
--   gross death rate        deaths / discharges x 100;
--   net death rate          deaths after 48 hours / (discharges - deaths
--                           within 48 hours) x 100.
-- A rate whose divisor is zero is reported as 0.

SET client_min_messages = warning;

CREATE OR REPLACE FUNCTION patient_data.sp_adm_statistics(p_start text, p_end text)
    RETURNS void
    LANGUAGE plpgsql VOLATILE SECURITY DEFINER
    SET search_path = pg_catalog, reports, patient_data
AS $$
DECLARE
    per record := reports.parse_period(p_start, p_end);
    s date;
    e date;
BEGIN
    s := per.start_date;
    e := per.end_date;
    PERFORM pg_advisory_xact_lock(hashtextextended('statistics|' || session_user, 0));
    DELETE FROM reports.tbrepstatistics WHERE computed_by = session_user;
    INSERT INTO reports.tbrepstatistics (computed_by, start_date, end_date, days, bed_count,
            admissions, discharges, deaths, deaths_under_48h, inpatient_service_days, discharge_days,
            average_daily_census, bed_occupancy_rate, average_length_of_stay, gross_death_rate,
            net_death_rate, opd_visits, computed_at)
    SELECT session_user, s, e, x.days, x.beds, x.adm, x.dis, x.deaths, x.d48, x.isd, x.los,
           round(x.isd::numeric / x.days, 2),
           CASE WHEN x.beds > 0 THEN round(x.isd * 100.0 / (x.beds * x.days), 2) ELSE 0 END,
           CASE WHEN x.dis > 0 THEN round(x.los::numeric / x.dis, 2) ELSE 0 END,
           CASE WHEN x.dis > 0 THEN round(x.deaths * 100.0 / x.dis, 2) ELSE 0 END,
           CASE WHEN x.dis - x.d48 > 0 THEN round((x.deaths - x.d48) * 100.0 / (x.dis - x.d48), 2) ELSE 0 END,
           x.opd, now()
      FROM (SELECT e - s + 1 AS days,
                   (SELECT count(*) FROM patient_data.beds WHERE active)::int AS beds,
                   (SELECT count(*) FROM patient_data.admissions
                     WHERE admission_date BETWEEN s AND e)::int AS adm,
                   d.dis, d.deaths, d.d48, d.los,
                   (SELECT coalesce(sum(greatest(0, least(e + 1, coalesce(a.discharge_date, e + 1))
                                                    - greatest(s, a.admission_date))
                                        + CASE WHEN a.admission_date = a.discharge_date THEN 1 ELSE 0 END), 0)
                      FROM patient_data.admissions a
                     WHERE a.admission_date <= e
                       AND (a.discharge_date IS NULL OR a.discharge_date >= s))::int AS isd,
                   (SELECT count(*) FROM patient_data.opd_visits
                     WHERE visit_date BETWEEN s AND e)::int AS opd
              FROM (SELECT count(*)::int AS dis,
                           count(*) FILTER (WHERE disposition = 'DIED')::int AS deaths,
                           count(*) FILTER (WHERE disposition = 'DIED'
                                              AND died_at - admitted_at < interval '48 hours')::int AS d48,
                           coalesce(sum(greatest(discharge_date - admission_date, 1)), 0)::int AS los
                      FROM patient_data.admissions
                     WHERE discharge_date BETWEEN s AND e) d) x;
END
$$;
