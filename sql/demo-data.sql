-- Demo data for the embedded database. Dates are relative to the moment the file is loaded, so that some
-- subscriptions are due whenever the demo runs. The sqlite3 parameter @layouts holds the folder of the
-- report layouts (see scripts/make-demo-db).

INSERT INTO BEDRIJVEN (bdr_id, bdr_bedrijfsnaam, bdr_straat, bdr_huisnummer, bdr_stad, bdr_postcode,
    bdr_email, bdr_telefoon, bdr_actief, bdr_postmaster, bdr_smtp_server, bdr_smtp_web_poort,
    bdr_smtp_web_inlognaam, bdr_smtp_web_paswoord, bdr_smtp_inloggen, bdr_tls)
VALUES
    (1, 'Taxi Zelvan B.V.', 'Stationsweg', '12', 'Zwolle', '8011 CZ', 'info@zelvan.example',
     '038-1234567', 1, 'rapporten@zelvan.example', 'localhost', 2525, '', '', 0, 0),
    (2, 'Taxi Elders', 'Kade', '1', 'Kampen', '8261 AA', 'info@elders.example',
     '038-7654321', 1, 'post@elders.example', 'localhost', 2525, '', '', 0, 0);

INSERT INTO email (ema_id, ema_omschrijving, ema_tekst)
VALUES (1, 'Maandoverzicht', 'Beste relatie,' || char(13, 10) || char(13, 10) ||
        'Hierbij ontvangt u het maandoverzicht van uw ritten.' || char(13, 10) || char(13, 10) ||
        'Met vriendelijke groet,' || char(13, 10) || 'Taxi Zelvan B.V.');

INSERT INTO constanten (con_bdr_id, con_sms_gateway, con_sms_server, con_sms_actie, con_sms_inlognaam,
    con_sms_wachtwoord, con_sms_160_tekens, con_sms_afzender)
VALUES (1, 1, '127.0.0.1', '/sms/send?', 'zelvan', 'geheim', 1, 'Zelvan');

-- tra_id  what it shows
-- 1       due, with parameters and the stored letter 1
-- 2       due, no parameters, standard letter, never run before
-- 3       due, writes its PDF to a path of its own
-- 4       due and run once: inactive after its run
-- 5       not yet due
-- 6       due, but of another company
-- 7       due, but inactive
-- 8       due, letter id without a row in email (standard letter)
INSERT INTO Transparantie (tra_id, tra_omschrijving, tra_actief, tra_email_1, tra_email_2,
    tra_laatste_rapport, tra_volgende_rapport, tra_dagen, tra_bdr_id, tra_locatie, tra_eenmalig,
    tra_startwaarde_1, tra_locatie_pdf)
VALUES
    (1, 'Omzet per wagen', 1, 'directie@zelvan.example', 'boekhouding@zelvan.example',
     datetime('now', 'localtime', '-7 days', 'start of day', '+7 hours'),
     datetime('now', 'localtime', '-1 hour'), 7, 1, @layouts || '/Omzet.QR3', 0, 1, ''),
    (2, 'Ritten per chauffeur', 1, 'planning@zelvan.example', '',
     NULL, datetime('now', 'localtime', '-1 day'), 1, 1, @layouts || '/Ritten.QR3', 0, 0, NULL),
    (3, 'Klachtenoverzicht', 1, 'kwaliteit@zelvan.example', '',
     datetime('now', 'localtime', '-30 days', 'start of day', '+6 hours'),
     datetime('now', 'localtime', '-2 days'), 30, 1, @layouts || '/Klachten.QR3', 0, 0,
     @layouts || '/Klachten-maand.pdf'),
    (4, 'Jaaroverzicht licenties', 1, 'directie@zelvan.example', '',
     NULL, datetime('now', 'localtime', '-10 minutes'), 365, 1, @layouts || '/Licenties.QR3', 1, 0, ''),
    (5, 'Werkplaatsplanning', 1, 'werkplaats@zelvan.example', '',
     datetime('now', 'localtime', '-4 days'), datetime('now', 'localtime', '+3 days'), 7, 1,
     @layouts || '/Werkplaats.QR3', 0, 0, ''),
    (6, 'Omzet Taxi Elders', 1, 'info@elders.example', '',
     NULL, datetime('now', 'localtime', '-1 day'), 7, 2, @layouts || '/Omzet.QR3', 0, 0, ''),
    (7, 'Opgezegd abonnement', 0, 'oud@zelvan.example', '',
     NULL, datetime('now', 'localtime', '-1 day'), 7, 1, @layouts || '/Omzet.QR3', 0, 0, ''),
    (8, 'Opleidingen', 1, 'hr@zelvan.example', '',
     NULL, datetime('now', 'localtime', '-3 hours'), 14, 1, @layouts || '/Opleidingen.QR3', 0, 99, '');

INSERT INTO TransparantieParams (trp_tra_id, trp_param, trp_waarde)
VALUES
    (1, 'Bedrijf', '1'),
    (1, 'VanafDatum', strftime('%d-%m-%Y', 'now', 'localtime', '-7 days')),
    (1, 'TotDatum', strftime('%d-%m-%Y', 'now', 'localtime')),
    (3, 'Bedrijf', '1'),
    (6, 'Bedrijf', '2');
